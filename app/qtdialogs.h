#pragma once

#include "dialogs.h"

#include <QPointer>
#include <memory>

class HelpViewer;
class QFileDialog;
class QMessageBox;
class QPrintDialog;
class QPrinter;
class QWidget;

// The real message boxes, file and print dialogs, help requests and beep.
// Button texts are German whatever the platform's language.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(HelpViewer& helpViewer);
    ~QtDialogs() override;

    // Keeps Qt's dialogs from storing anything; called before any dialog exists.
    static void keepNoSettings();

    // The window the boxes belong to when no other window of ours is active.
    void setParentWindow(QWidget* window) { m_parent = window; }

    void information(const QString& text) override;
    void error(const QString& text, int helpTopic) override;
    bool confirm(const QString& text) override;
    void showError(const QString& message) override;
    void notice(const QString& text) override;

    QString openFileName(const QString& initialName) override;
    QString saveFileName(const QString& initialName) override;
    QPrinter* choosePrinter(const QString& pdfName) override;
    QString pdfFileName(const QString& initialName) override;

    void helpContents() override;
    void helpTopic(int contextNumber) override;
    void beep() override;

    // The boxes as shown, built apart from showing them so that their texts,
    // icons and buttons can be checked without a person to close them.
    static std::unique_ptr<QMessageBox> informationBox(const QString& text, QWidget* parent);
    static std::unique_ptr<QMessageBox> errorBox(const QString& text, QWidget* parent);
    static std::unique_ptr<QMessageBox> confirmationBox(const QString& text, QWidget* parent);
    static std::unique_ptr<QMessageBox> errorDisplay(const QString& message, QWidget* parent);

    // The file dialog's detail columns made wide enough for German texts.
    static void fitColumns(QFileDialog& dialog);
    // Where the print dialog has a field for the PDF file (not Windows' own
    // dialog), it offers pdfName there.
    static void offerPdfName(QPrintDialog& dialog, const QString& pdfName);

private:
    QWidget* boxParent() const;

    HelpViewer& m_help;
    QPointer<QWidget> m_parent;
    // One printer for the whole run, so the print dialog keeps the user's choice.
    std::unique_ptr<QPrinter> m_printer;
};
