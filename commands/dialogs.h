#pragma once

#include "zevoerror.h" // withFullStop(), which the error display applies

#include <QString>

class QPrinter; // only handed through; core never prints

// Every modal box, file dialog, print dialog, help request and beep of the
// application goes through this interface. The window side implements it with
// real dialogs; tests give scripted answers, so nothing ever waits for a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // "Information", icon and one "OK".
    virtual void information(const QString& text) = 0;
    // "Fehler", error icon, "OK" and "&Hilfe"; "&Hilfe" opens helpTopic.
    virtual void error(const QString& text, int helpTopic) = 0;
    // "Bestätigung", question icon, "&Ja" (default) and "&Nein" (Esc). True for "&Ja".
    virtual bool confirm(const QString& text) = 0;
    // The one error display: the application's title as caption, error icon,
    // "OK", the message completed by withFullStop().
    virtual void showError(const QString& message) = 0;
    // "Information" that waits for no answer: the program goes on while it is
    // shown. Where an implementation has no such box, the modal one serves.
    virtual void notice(const QString& text) { information(text); }

    // File dialogs; an empty result means the user cancelled. initialName is
    // the name the dialog offers (each dialog remembers its own).
    virtual QString openFileName(const QString& initialName) = 0;
    virtual QString saveFileName(const QString& initialName) = 0;
    // The print dialog; null when cancelled. pdfName is the file it offers for
    // printing to a PDF file. The printer stays owned by the implementation and
    // keeps its choice for later printouts.
    virtual QPrinter* choosePrinter(const QString& pdfName) = 0;
    // A PDF file to print to, asking before an existing one is replaced;
    // empty when cancelled, or where there is no such dialog.
    virtual QString pdfFileName(const QString& initialName) {
        (void)initialName;
        return QString();
    }

    virtual void helpContents() = 0;
    virtual void helpTopic(int contextNumber) = 0;
    virtual void beep() = 0;
};
