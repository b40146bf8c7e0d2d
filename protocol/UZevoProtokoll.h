#pragma once

#include <QWidget>
#include <functional>

class Dialogs;
class ProgramText;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class RegisterAccess;
class Settings;

// The protocol window. Its text view ProtokollMemo is the one store of the
// trace protocol; the window is only shown and hidden, never destroyed.
class TProtokollFormular : public QWidget {
    Q_OBJECT
public:
    TProtokollFormular(const RegisterAccess& registers, const ProgramText& program,
                       Dialogs& dialogs, QWidget* parent = nullptr);

    // The options dialog is created after this window; it is handed in then.
    void setSettings(const Settings* settings);
    // Where the printout's last line gets the program's file name from.
    void setFileNameSource(std::function<QString()> getActFileName);

    void clearProtocol();
    void actualizeProtocol(const qint32& CurrentLine);

    QPlainTextEdit* ProtokollMemo = nullptr;

signals:
    // The user hid the window ("Schließen" or the title bar): the main window
    // removes the check mark of "Protokoll anzeigen".
    void hiddenByUser();

private:
    const RegisterAccess& m_registers;
    const ProgramText& m_program;
    Dialogs& m_dialogs;
    const Settings* m_settings = nullptr;
    std::function<QString()> m_fileName;
};
