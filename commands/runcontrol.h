#pragma once

#include "step.h"
#include "windowrun.h"

#include <QLocale>
#include <QString>
#include <array>

class Dialogs;

// The sixteen command groups, in the order of SetCommandStates' flags.
enum class CommandGroup : int {
    New, Open, Save, Print, Copy, Exit, Start, Stop, Step, Reset,
    SaveRegisters, RestoreRegisters, ClearRegisters, Options, Help, Info,
};
constexpr int CommandGroupCount = 16;
using CommandFlags = std::array<bool, CommandGroupCount>;

enum class CommandState { Stopped, Ready, Running };
CommandFlags commandFlags(CommandState state);

constexpr int SliderMinimum = 110;
constexpr int SliderMaximum = 4615;
constexpr int SliderInitial = 690;

// Number of 10 ms waits between two steps at slider position p:
// 1050 div trunc((e^(p/1000) - 1) * 10).
int StepDelay(int position);
// The rate display: e^(p/1000) - 1 with one decimal and the locale's separator,
// followed by " Hz  ".
QString frequencyText(int position, const QLocale& locale);

// What run control needs of the window: command states, marking, slider,
// focus, and the two primitives of the clocked wait. The window follows the
// run itself (next line, counter) as its observer; the protocol goes to the
// run's sink.
class RunWindow : public RunObserver {
public:
    virtual void SetCommandStates(const CommandFlags& flags) = 0;
    virtual void SetMarkChanges(bool on) = 0;
    virtual int sliderPosition() const = 0;
    virtual void focusEditor() = 0;
    // Handles every pending window message; user input such as "Abbruch" arrives here.
    virtual void processPendingMessages() = 0;
    virtual void sleep10ms() = 0;
};

// Run control of the main window: what the window adds to the one run (the
// clocked pacing, stop, command states, end-of-run boxes). Everything runs on
// the user-interface thread; the clocked run is a loop that lets the window
// handle its messages between steps.
class RunControl {
public:
    RunControl(const ProgramText& program, RegisterAccess& registers, const Settings& settings,
               RunWindow& window, Dialogs& dialogs);

    bool StopRequested = false;

    WindowRun& run() { return m_run; }
    // The run writes its protocol there; null while there is no protocol window.
    void setProtocolSink(ProtocolSink* sink) { m_run.sink().setSink(sink); }
    // Empties the protocol and starts it with the heading the settings now give.
    void clearProtocol() { m_run.writeHeading(); }

    void ProgrammResetClick();
    void EinzelschrittClick();
    void ProgrammStartClick();
    void ProgrammStopClick();

    // The counter lives in the run, which tells the window to show it.
    void ShowStepCount(qint32 n) { m_run.ShowStepCount(n); }
    void IncrementStepCount();
    qint32 stepCount() const { return m_run.stepCount(); }
    void ShowStepResult(StepResult result);
    void SetCommandStates(CommandState state);
    void DisableRunCommands();

    bool isRunning() const { return m_running; }
    // The window is closing: a run in progress ends at once, without a message.
    void abandonRun();

private:
    StepResult clockedRun();

    const Settings& m_settings;
    WindowRun m_run;
    RunWindow& m_window;
    Dialogs& m_dialogs;
    CommandFlags m_flags{};
    bool m_running = false;
    bool m_abandoned = false;
};
