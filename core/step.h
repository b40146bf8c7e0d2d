#pragma once

#include <QString>
#include <QtGlobal>

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

// The message shown for a final result; empty for Continue and unknown values.
QString stepResultMessage(StepResult result);

// The help topic (1, 2, 3, 4, 7 or 8) of a runtime error's result; 0 for
// any other result.
int stepResultHelpTopic(StepResult result);
