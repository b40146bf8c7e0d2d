#pragma once

#include "programline.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <vector>

class ProgramText;

// A program whose text cannot change during a run (a run without an editor),
// decoded once: every line's label check, opcode, operand, successor and jump
// target. Decoding reads the text exactly as the steps would, so a run over
// the decoded lines takes the same steps as one that reads the text anew at
// every step.
class DecodedProgram {
public:
    // Texts::Dropped: the runs write no protocol (grading many cases), so no
    // line is kept as text; lineText() and utf8Line() are then empty.
    enum class Texts { Kept, Dropped };
    explicit DecodedProgram(const ProgramText& program, Texts texts = Texts::Kept);

    qint32 lineCount() const { return m_lineCount; }
    // False when the first line is empty: such a program cannot be reset.
    bool canReset() const { return m_canReset; }
    // Where a reset starts.
    qint32 firstLine() const { return m_firstLine; }
    // Line i; past the end (where a step can stand) an empty line.
    const DecodedLine& line(qint32 i) const {
        return quint32(i) < quint32(m_lines.size()) ? m_lines[std::size_t(i)] : m_empty;
    }
    // The text of line i in UTF-8, for protocol lines; empty past the end.
    QByteArrayView utf8Line(qint32 i) const {
        return quint32(i) < quint32(m_utf8.size()) ? QByteArrayView(m_utf8[i]) : QByteArrayView();
    }

    QString lineText(qint32 i) const { return QString::fromUtf8(utf8Line(i)); }

private:
    qint32 m_lineCount = 0;
    bool m_canReset = false;
    qint32 m_firstLine = 0;
    std::vector<DecodedLine> m_lines; // lineCount + 1 entries: the last is the empty line
    DecodedLine m_empty;
    QList<QByteArray> m_utf8;
};
