#pragma once

#include "decodedprogram.h"
#include "step.h"

#include <QString>

class ProgramText;
class RegisterTexts;
class Settings;
class Utf8Output;

struct RunOutcome {
    int exitStatus = 0;   // 0 end, 1 step limit, 2 no run or a register error, 3..8 the step result
    QString message;      // the final message as the window would show it
    qint32 stepCount = 0; // as the window's counter: steps that ended with result 0
};

// A reset followed by a "Start" run without waits, for front ends without a
// window. The program is decoded once and run with the window's step, so the
// protocol written is byte for byte the one the protocol window holds after
// the same reset and run with the same settings.
class BatchRun {
public:
    enum class Output { Protocol, FinalRegisterLine };

    BatchRun(const ProgramText& program, RegisterTexts& registers, const Settings& settings);

    // Runs at most maxSteps (>= 1) steps. With FinalRegisterLine only the
    // register line of the final state is written, and only when the reset
    // took place.
    RunOutcome run(qint32 maxSteps, Output output, Utf8Output& out);

    static QString emptyFirstLineMessage();
    static QString stepLimitMessage();
    // The outcome for a run whose last step gave result (0: the limit).
    static RunOutcome outcomeOf(StepResult result, qint32 stepCount);

private:
    const DecodedProgram m_program;
    RegisterTexts& m_registers;
    const Settings& m_settings;
};
