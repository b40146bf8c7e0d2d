#pragma once

#include "windowrun.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class Dialogs;
class ProtocolView;
class QFrame;
class QPushButton;

// The protocol window. Its text view ProtokollMemo is the one store of the
// trace protocol; the window is only shown and hidden, never destroyed.
//
// The view always ends with an empty line that holds the caret: every protocol
// line is followed by its line break, as on the clipboard and in print.
//
// The main window adds its menu actions to this window (addActions), so that
// their shortcuts work here too; the application's shortcut router keeps such
// keys away from the text view.
class TProtokollFormular : public QWidget, public ProtocolSink {
    Q_OBJECT
public:
    explicit TProtokollFormular(Dialogs& dialogs, QWidget* parent = nullptr);
    // Where the printout's last line gets the program's file name from.
    void setFileNameSource(std::function<QString()> getActFileName);

    // ProtocolSink: the run writes the protocol here.
    void startProtocol(const QString& heading) override;
    void appendEntry(std::span<const QString> lines) override;

    // The protocol lines, each without its line break (none before the first reset).
    QStringList protocolLines() const;

    ProtocolView* ProtokollMemo = nullptr;
    QFrame* Panel = nullptr;
    QPushButton* DruckButton = nullptr;
    QPushButton* ZwischenablageButton = nullptr;
    QPushButton* SchliessenButton = nullptr;
    QPushButton* HilfeButton = nullptr;

signals:
    // The user hid the window ("Schließen" or the title bar): the main window
    // removes the check mark of "Protokoll anzeigen".
    void hiddenByUser();

public slots:
    void FormClose();
    void DruckButtonClick();
    void ZwischenablageButtonClick();
    void SchliessenButtonClick();
    void HilfeButtonClick();

protected:
    // The title bar's close box hides the window instead of destroying it.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeControls();

    Dialogs& m_dialogs;
    std::function<QString()> m_fileName;
};
