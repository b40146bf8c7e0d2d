#pragma once

// Window-free stand-ins for the core's interfaces, shared by the tests, the
// fuzz targets and the benchmarks. They need the core alone; the dialogs'
// stand-in is in fakedialogs.h.

#include "integertext.h"
#include "linehighlighter.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"
#include "syntax.h"

#include <QStringList>
#include <QVector>

// Program lines held as a list; every line is one row (no wrap).
class FakeProgram : public ProgramText {
public:
    FakeProgram() = default;
    explicit FakeProgram(QStringList lines) : lines(std::move(lines)) {}
    qint32 lineCount() const override { return qint32(lines.size()); }
    QString lineText(qint32 n) const override {
        ++reads;
        return n >= 0 && n < lines.size() ? lines[n] : QString();
    }
    QStringList lines;
    mutable int reads = 0;
};

// Register texts read by the integer rule, as the grid does.
class FakeRegisters : public RegisterAccess {
public:
    FakeRegisters() { texts.fill(QStringLiteral("0"), RegisterCount); }
    qint32 ReadRegister(qint32 n) const override {
        return parseInteger(n >= 0 && n < RegisterCount ? texts[n] : QString());
    }
    void WriteRegister(qint32 n, qint32 value) override {
        writes.append(n);
        if (n >= 0 && n < RegisterCount)
            texts[n] = QString::number(value);
    }
    void set(qint32 n, qint32 value) { texts[n] = QString::number(value); }
    qint32 value(qint32 n) const { return ReadRegister(n); }
    QStringList texts;
    QVector<qint32> writes;
};

class FakeHighlighter : public LineHighlighter {
public:
    void HighlightLine(qint32 n) override { highlighted.append(n); }
    QVector<qint32> highlighted;
};
