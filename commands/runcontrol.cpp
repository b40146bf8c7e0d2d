#include "runcontrol.h"

#include "commandguard.h"
#include "dialogs.h"
#include "settings.h"

#include <cmath>

CommandFlags commandFlags(CommandState state) {
    CommandFlags flags{};
    flags.fill(state != CommandState::Running);
    const auto set = [&flags](CommandGroup g, bool on) { flags[std::size_t(g)] = on; };
    switch (state) {
    case CommandState::Stopped:
        set(CommandGroup::Start, false);
        set(CommandGroup::Stop, false);
        set(CommandGroup::Step, false);
        break;
    case CommandState::Ready:
        set(CommandGroup::Stop, false);
        break;
    case CommandState::Running:
        set(CommandGroup::Stop, true);
        break;
    }
    return flags;
}

namespace {
double clockRate(int position) { return std::exp(position / 1000.0) - 1.0; }
} // namespace

int StepDelay(int position) {
    const int d = static_cast<int>(std::trunc(clockRate(position) * 10.0));
    return 1050 / std::max(d, 1); // below the slider's minimum d would be 0
}

QString frequencyText(int position, const QLocale& locale) {
    return locale.toString(clockRate(position), 'f', 1) + QStringLiteral(" Hz  ");
}

RunControl::RunControl(const ProgramText& program, RegisterAccess& registers,
                       const Settings& settings, RunWindow& window, Dialogs& dialogs)
    : m_settings(settings), m_run(makeWindowRun(program, registers, settings, &window)),
      m_window(window), m_dialogs(dialogs) {}

void RunControl::SetCommandStates(CommandState state) {
    m_flags = commandFlags(state);
    m_window.SetCommandStates(m_flags);
}

void RunControl::DisableRunCommands() {
    m_flags[std::size_t(CommandGroup::Start)] = false;
    m_flags[std::size_t(CommandGroup::Step)] = false;
    // During a run "Abbruch" stays: a program that never ends must stay stoppable.
    if (!m_running)
        m_flags[std::size_t(CommandGroup::Stop)] = false;
    m_window.SetCommandStates(m_flags);
}

void RunControl::IncrementStepCount() {
    m_run.IncrementStepCount();
}

void RunControl::ShowStepResult(StepResult result) {
    const QString message = stepResultMessage(result);
    if (result == Step::Ended)
        m_dialogs.information(message);
    else if (!message.isEmpty())
        m_dialogs.error(message, stepResultHelpTopic(result));
    SetCommandStates(CommandState::Stopped);
}

void RunControl::ProgrammResetClick() {
    guardCommand(m_dialogs, [this] {
        if (m_run.reset())
            SetCommandStates(CommandState::Ready);
    });
}

void RunControl::EinzelschrittClick() {
    guardCommand(m_dialogs, [this] {
        const StepResult result = m_run.ExecuteLine();
        if (result == Step::Continue)
            IncrementStepCount();
        else
            ShowStepResult(result);
        m_run.writeEntry();
    });
}

// Steps until a result other than 0, a stop or the window's closing; between
// two steps the window handles its messages during the waits.
StepResult RunControl::clockedRun() {
    m_window.SetMarkChanges(m_settings.markChangedRegisters());
    SetCommandStates(CommandState::Running);
    StepResult result = m_run.ExecuteLine();
    m_run.writeEntry();
    while (result == Step::Continue && !StopRequested) {
        const int waits = StepDelay(m_window.sliderPosition());
        IncrementStepCount();
        for (int i = 0; i < waits && !m_abandoned; ++i) {
            m_window.processPendingMessages();
            if (m_abandoned)
                break;
            m_window.sleep10ms();
        }
        if (m_abandoned)
            break;
        m_window.processPendingMessages();
        if (m_abandoned)
            break;
        result = m_run.ExecuteLine();
        m_run.writeEntry();
    }
    return result;
}

void RunControl::ProgrammStartClick() {
    if (m_running)
        return; // a nested start through queued input is ignored
    StopRequested = false;
    m_abandoned = false;
    m_running = true;
    StepResult result = Step::Continue;
    const bool completed = guardCommand(
        m_dialogs, [&] { result = clockedRun(); }, [this] { m_running = false; });
    if (!completed) {
        // A register text that is not a number: the user fixes it and continues
        // from the unchanged current line.
        if (!m_abandoned)
            SetCommandStates(CommandState::Ready);
        return;
    }
    m_running = false;
    if (m_abandoned)
        return;
    if (StopRequested) {
        m_dialogs.information(QStringLiteral("Abbruch durch den Benutzer!"));
        SetCommandStates(CommandState::Ready);
        m_window.focusEditor();
    } else {
        ShowStepResult(result);
    }
}

void RunControl::ProgrammStopClick() { StopRequested = true; }

void RunControl::abandonRun() {
    if (m_running) {
        m_abandoned = true;
        StopRequested = true;
    }
}
