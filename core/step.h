#pragma once

#include <QString>
#include <QtGlobal>

class ProgramText;
class RegisterAccess;
class Settings;
class LineHighlighter;

// The outcome of one step. 0 continues; 2 is "end"; 3 to 8 are runtime errors.
using StepResult = quint8;

namespace Step {
constexpr StepResult Continue = 0;
constexpr StepResult Ended = 2;
constexpr StepResult DivisionByZero = 3;
constexpr StepResult UnknownTarget = 4;
constexpr StepResult UnknownInstruction = 5;
constexpr StepResult InvalidRegister = 6;
constexpr StepResult InvalidLabel = 7;
constexpr StepResult Overflow = 8;
} // namespace Step

// The message shown for a final result; empty for 0, 1 and unknown values.
QString stepResultMessage(StepResult result);

// The help topic of an error result (1, 2, 3, 4, 7, 8); 0 when there is none.
int stepResultHelpTopic(StepResult result);

// What one step works on. The highlighter may be null (no editor to mark).
struct Machine {
    const ProgramText& program;
    RegisterAccess& registers;
    const Settings& settings;
    LineHighlighter* highlighter = nullptr;
};

// One step of the window's run (run.h) at CurrentLine, for a caller without a
// run of its own. On result 0 CurrentLine moves to the next line
// (highlighted first when the setting says so) and at most one register has been
// written; on any other result nothing is written or moved. A register text that
// is not an integer throws ZevoError out of the step with nothing written.
StepResult ExecuteLine(Machine& machine, qint32& CurrentLine);
