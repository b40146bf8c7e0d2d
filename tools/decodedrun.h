#pragma once

#include "decodedprogram.h"
#include "registertexts.h"
#include "stepcore.h"

// Steps over a decoded program, as many as maxSteps, until a step ends the
// run or goOn() says no; goOn is asked before every step, and after every step
// entry(CurrentLine) writes its protocol entry. CurrentLine and StepCount move
// as the window's run moves them. Returns the last step's result, 0 when the
// run stopped without a final result.
template <class GoOn, class Entry>
inline StepResult runDecodedSteps(const DecodedProgram& program, RegisterTexts& registers,
                                  qint32 maxSteps, qint32& CurrentLine, qint32& StepCount,
                                  GoOn&& goOn, Entry&& entry) {
    StepResult result = Step::Continue;
    for (qint32 executed = 0; executed < maxSteps && goOn(); ++executed) {
        qint32 next = CurrentLine;
        result = stepcore::execute(program.line(CurrentLine), registers, program.lineCount(), next);
        if (result == Step::Continue) {
            CurrentLine = next;
            ++StepCount; // at most maxSteps: cannot overflow
        }
        entry(CurrentLine);
        if (result != Step::Continue)
            break;
    }
    return result;
}
