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

// Every lone CR and every lone LF becomes CR LF, as loading a program file does.
QString withCrLfLineEnds(QStringView text);

// The lines of a text whose line breaks are CR LF, lone CR or lone LF. An empty
// last line after a final break is not a line, so an empty text has none.
QStringList splitProgramLines(QStringView text);
