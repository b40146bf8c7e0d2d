#pragma once

// Small window-free stand-ins for the core's interfaces, used by the fuzz
// targets (kept apart from the test support so that the targets build alone).

#include "integertext.h"
#include "linehighlighter.h"
#include "programtext.h"
#include "registeraccess.h"
#include "syntax.h"

#include <QStringList>
#include <QVector>

class FuzzProgram : public ProgramText {
public:
    explicit FuzzProgram(QStringList lines) : lines(std::move(lines)) {}
    qint32 lineCount() const override { return qint32(lines.size()); }
    QString lineText(qint32 n) const override {
        return n >= 0 && n < lines.size() ? lines[n] : QString();
    }
    QStringList lines;
};

// Register texts converted anew on every read, as the grid does.
class FuzzRegisters : public RegisterAccess {
public:
    FuzzRegisters() { texts.fill(QStringLiteral("0"), RegisterCount); }
    qint32 ReadRegister(qint32 n) const override {
        return parseInteger(n >= 0 && n < RegisterCount ? texts[n] : QString());
    }
    void WriteRegister(qint32 n, qint32 value) override {
        writes.append(n);
        if (n >= 0 && n < RegisterCount)
            texts[n] = QString::number(value);
    }
    QStringList texts;
    QVector<qint32> writes;
};

class FuzzHighlighter : public LineHighlighter {
public:
    void HighlightLine(qint32 n) override { highlighted.append(n); }
    QVector<qint32> highlighted;
};
