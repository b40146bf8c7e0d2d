#pragma once

// The dialogs' stand-in, for the tests of everything that opens a box or a
// file dialog (commands and above).

#include "dialogs.h"
#include "zevoerror.h"

#include <QStringList>
#include <functional>

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
