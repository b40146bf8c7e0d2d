#pragma once

#include "runsession.h"

#include <QString>

class ProgramText;
class RegisterAccess;
class Settings;

struct RunOutcome {
    int exitStatus = 0;   // 0 end, 1 step limit, 2 no run or a register error, 3..8 the step result
    QString message;      // the final message as the window would show it
    qint32 stepCount = 0; // as the window's counter: steps that ended with result 0
};

// A reset followed by a "Start" run without waits, for front ends without a
// window. It drives the window's run session, so the protocol written to the
// sink is line for line the one the protocol window holds after the same reset
// and run with the same settings.
class BatchRun {
public:
    enum class Output { Protocol, FinalRegisterLine };

    BatchRun(const ProgramText& program, RegisterAccess& registers, const Settings& settings);

    // Runs at most maxSteps (>= 1) steps. With FinalRegisterLine only the
    // register line of the final state reaches the sink, and only when the
    // reset took place.
    RunOutcome run(qint32 maxSteps, Output output, ProtocolSink& sink);

    static QString emptyFirstLineMessage();
    static QString stepLimitMessage();

private:
    const ProgramText& m_program;
    RegisterAccess& m_registers;
    const Settings& m_settings;
};
