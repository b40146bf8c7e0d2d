#pragma once

#include "programtext.h"

#include <QStringList>

// A program held as a plain list of lines, one list entry per line: what a
// front end without an editor (and so without word wrap) runs.
class LineList final : public ProgramText {
public:
    LineList() = default;
    explicit LineList(QStringList lines) : m_lines(std::move(lines)) {}

    qint32 lineCount() const override { return qint32(m_lines.size()); }
    QString lineText(qint32 n) const override {
        return n >= 0 && n < m_lines.size() ? m_lines.at(n) : QString();
    }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// The one rule of what ends a line, for program files and the editor alike:
// CR LF, a lone CR, a lone LF, and the paragraph separator U+2029 with which a
// text document ends its blocks (no program file can hold one).

// Every line break written as lineEnd.
QString withLineEnds(QStringView text, QStringView lineEnd);

// Every line break becomes CR LF, as loading a program file does.
QString withCrLfLineEnds(QStringView text);

// The length of the text once every line break is CR LF: a program file's
// size in bytes, one byte per character.
qint64 crLfLength(QStringView text);

// The lines of a text, split at every line break. An empty last line after a
// final break is not a line, so an empty text has none.
QStringList splitProgramLines(QStringView text);
