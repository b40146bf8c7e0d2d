#pragma once

#include "forwardingsettings.h"
#include "programdocument.h"
#include "runcontrol.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class Dialogs;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QSlider;
class QToolBar;
class ShortcutRouter;
class TOptionenFormular;
class TProtokollFormular;
class TRMProgramEditor;
class TRegisterEditor;

// The main window: program editor, register grid, clock-rate slider, step
// counter, and every command of the application in menu and toolbar. Run
// control and the file commands live in their own classes; the handlers here
// delegate to them, implement the window side run control needs and decide
// what follows when the document tells of a new or loaded program.
class THauptformular : public QMainWindow, public RunWindow {
    Q_OBJECT
public:
    explicit THauptformular(Dialogs& dialogs, QWidget* parent = nullptr);
    ~THauptformular() override;

    // The protocol window and the options dialog are created after this window.
    void attach(TProtokollFormular& protocol, TOptionenFormular& options);

    // The menu item or separator of that objectName (null if there is none).
    QAction* command(const QString& name) const;
    QList<QAction*> commands() const { return m_commands; }
    RunControl& runControl() { return *m_run; }
    ProgramDocument& document() { return *m_document; }
    const Settings& settings() const { return m_settings; }

    // Opens the program named on zevo's command line once the window is up, as
    // "Öffnen..." opens a chosen file.
    void openAtStartUp(const QString& path);
    // Register values given on the command line, shown instead of 0 before
    // a program opened at start-up is reset, so its first entry holds them.
    void presetRegisters(const QList<QPair<qint32, qint32>>& values);

    // Answers whether the window may close (asks when the setting says so).
    bool exitProgram();
    QString getActFileName() const { return m_document->getActFileName(); }
    qint32 shownStepCount() const { return m_run->stepCount(); }

    void DisableRunCommands() { m_run->DisableRunCommands(); }

    // RunWindow
    void SetCommandStates(const CommandFlags& flags) override;
    void SetMarkChanges(bool on) override;
    int sliderPosition() const override;
    void focusEditor() override;
    void processPendingMessages() override;
    void sleep10ms() override;

    // RunObserver: the display follows the run's counter, and the editor marks
    // the line that runs next when the setting says so; during a run the focus
    // stays in a register cell the user is typing in.
    void lineReached(qint32 line) override;
    void stepCountChanged(qint32 count) override;

    QMenuBar* MainMenu = nullptr;
    QToolBar* ToolBar = nullptr;
    QGroupBox* QuellcodeGroupBox = nullptr;
    QGroupBox* BelegungGroupBox = nullptr;
    QGroupBox* TaktrateGroupBox = nullptr;
    QGroupBox* SchritteGroupBox = nullptr;
    TRMProgramEditor* ProgramMemo = nullptr;
    TRegisterEditor* RegisterEditor = nullptr;
    QSlider* TaktrateTrackBar = nullptr;
    QLabel* TaktrateLabel = nullptr;
    QLabel* StepsLabel = nullptr;

public slots:
    void NeuClick();
    void OeffnenClick();
    void SpeichernClick();
    void SpeichernunterClick();
    void DruckenClick();
    void KopierenClick();
    void BeendenClick();
    void EinzelschrittClick();
    void ProgrammStartClick();
    void ProgrammStopClick();
    void ProgrammResetClick();
    void RegisterSpeichernClick();
    void RegisterLadenClick();
    void RegisterClearClick();
    void ProtokollClick();
    void ProtokolloptionenClick();
    void AnleitungClick();
    void InformationClick();
    void RegisterEditorClick();
    void updateFrequency(int position);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void placeControls();
    void createCommands();
    void createToolBar();
    void connectControls();
    void connectDocument();
    void initialState();
    // Commands that move the focus into the editor or read the registers end
    // here, with the grid's one message, while a cell holds an incomplete entry.
    bool mayLeaveRegisterCell();

    Dialogs& m_dialogs;
    ForwardingSettings m_settings;
    std::unique_ptr<RunControl> m_run;
    std::unique_ptr<ProgramDocument> m_document;
    QPointer<TProtokollFormular> m_protocol;
    QPointer<TOptionenFormular> m_options;
    ShortcutRouter* m_router = nullptr;

    QList<QAction*> m_commands; // every menu item and separator, in menu order
    QList<QAction*> m_shortcutCommands; // the menu items with a shortcut key
    std::array<QList<QAction*>, CommandGroupCount> m_groups;
    QList<QWidget*> m_toolBarItems; // buttons and dividers, in the toolbar's table order
};
