#pragma once

// Window-free stand-ins for the core's interfaces, shared by the tests, the
// fuzz targets and the benchmarks.

#include "dialogs.h"
#include "integertext.h"
#include "linehighlighter.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"
#include "syntax.h"

#include <QStringList>
#include <QVector>
#include <functional>

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

// Records every request; answers from scripted values. Never blocks.
class FakeDialogs : public Dialogs {
public:
    void information(const QString& text) override { log << QStringLiteral("information:") + text; if (onBox) onBox(); }
    void error(const QString& text, int helpTopic) override {
        log << QStringLiteral("error:%1:%2").arg(helpTopic).arg(text);
        if (onBox) onBox();
    }
    bool confirm(const QString& text) override {
        log << QStringLiteral("confirm:") + text;
        return confirmAnswer;
    }
    void showError(const QString& message) override {
        log << QStringLiteral("showError:") + withFullStop(message);
    }
    QString openFileName(const QString& initialName) override {
        log << QStringLiteral("open:") + initialName;
        return openAnswer;
    }
    QString saveFileName(const QString& initialName) override {
        log << QStringLiteral("save:") + initialName;
        return saveAnswer;
    }
    QPrinter* choosePrinter(const QString& pdfName) override {
        log << QStringLiteral("print");
        printPdfNames << pdfName;
        return printer;
    }
    QString pdfFileName(const QString& initialName) override {
        log << QStringLiteral("pdf:") + initialName;
        return pdfAnswer;
    }
    void helpContents() override { log << QStringLiteral("help:contents"); }
    void helpTopic(int contextNumber) override { log << QStringLiteral("help:%1").arg(contextNumber); }
    void beep() override { log << QStringLiteral("beep"); }

    QStringList log;
    bool confirmAnswer = true;
    QString openAnswer;
    QString saveAnswer;
    QPrinter* printer = nullptr;
    QStringList printPdfNames; // what each print dialog offered as PDF file
    QString pdfAnswer;
    std::function<void()> onBox; // runs while a box would be open
};
