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

// The message shown for a final result; empty for 0, 1 and unknown values.
QString stepResultMessage(StepResult result);

// The help topic of an error result (1, 2, 3, 4, 7, 8); 0 when there is none.
int stepResultHelpTopic(StepResult result);
