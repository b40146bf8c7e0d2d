#pragma once

#include "decodedprogram.h"
#include "numericregisters.h"
#include "run.h"

#include <QStringList>
#include <atomic>

// How one run of a grading case ended; the registers' values at the end stay
// in the store it ran on.
struct CaseOutcome {
    RunOutcome outcome;     // its exitStatus as a run without a window gives it (run.h)
    bool cancelled = false; // given up on request: outcome and registers mean nothing
};

// A program read once and run for many cases, without a protocol. run() is
// const and keeps no state, so several threads may run cases of one program.
class PreparedProgram {
public:
    explicit PreparedProgram(QStringList lines);

    // A reset, then the run to its end or to the step limit maxSteps (>= 1)
    // on registers, which hold the values before the run and are left with
    // those at its end. Every register must hold a number, so that no read
    // can fail. With cancel, the run looks at it every few thousand steps and
    // is given up once it is true.
    CaseOutcome run(NumericRegisters& registers, qint32 maxSteps,
                    const std::atomic<bool>* cancel = nullptr) const;

private:
    DecodedProgram m_program;
};
