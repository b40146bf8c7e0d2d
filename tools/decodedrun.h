#pragma once

#include "decodedprogram.h"
#include "registertexts.h"
#include "stepcore.h"

#include <optional>

// The registers as one step at the step limit sees them: reads pass through,
// the one write a continuing step makes is held back and then dropped.
class HeldWrite {
public:
    explicit HeldWrite(const RegisterTexts& registers) : m_registers(registers) {}
    qint32 read(qint32 n) const {
        return m_held && m_held->first == n ? m_held->second : m_registers.read(n);
    }
    void write(qint32 n, qint32 value) { m_held.emplace(n, value); }

private:
    const RegisterTexts& m_registers;
    std::optional<std::pair<qint32, qint32>> m_held;
};

// Steps over a decoded program until a step ends the run, goOn() says no, or
// the counter has reached maxSteps; goOn is asked before every step, and after
// every step entry(CurrentLine) writes its protocol entry. CurrentLine and
// StepCount move as the window's run moves them, so the limit counts as the
// window's counter counts: with the counter at maxSteps one more step is made
// only if it ends the run ("end" or a runtime error). A step that would go on
// leaves no trace (no register, no entry, CurrentLine kept) and the run stops
// at the limit. Returns the last step's result, 0 when the run stopped without
// a final result.
template <class GoOn, class Entry>
inline StepResult runDecodedSteps(const DecodedProgram& program, RegisterTexts& registers,
                                  qint32 maxSteps, qint32& CurrentLine, qint32& StepCount,
                                  GoOn&& goOn, Entry&& entry) {
    for (;;) {
        if (!goOn())
            return Step::Continue;
        qint32 next = CurrentLine;
        if (StepCount >= maxSteps) [[unlikely]] {
            HeldWrite held(registers);
            const StepResult result =
                stepcore::execute(program.line(CurrentLine), held, program.lineCount(), next);
            if (result != Step::Continue) // nothing was written
                entry(CurrentLine);
            return result;
        }
        const StepResult result =
            stepcore::execute(program.line(CurrentLine), registers, program.lineCount(), next);
        if (result != Step::Continue) {
            entry(CurrentLine);
            return result;
        }
        CurrentLine = next;
        ++StepCount; // below maxSteps before: cannot overflow
        entry(CurrentLine);
    }
}
