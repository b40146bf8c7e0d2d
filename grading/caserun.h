#pragma once

#include "decodedprogram.h"
#include "run.h"
#include "syntax.h"

#include <QStringList>
#include <array>
#include <atomic>

// The final state of one run of a grading case.
struct CaseOutcome {
    RunOutcome outcome; // its exitStatus as a run without a window gives it (run.h)
    std::array<qint32, RegisterCount> registers{}; // the register values at the end
    bool cancelled = false; // given up on request: outcome and registers mean nothing
};

// A program read once and run for many cases, without a protocol. run() is
// const and keeps no state, so several threads may run cases of one program.
class PreparedProgram {
public:
    explicit PreparedProgram(QStringList lines);

    // A reset, then the run to its end or to the step limit maxSteps (>= 1),
    // with the given register values before the run. With cancel, the run
    // looks at it every few thousand steps and is given up once it is true.
    CaseOutcome run(const std::array<qint32, RegisterCount>& registers, qint32 maxSteps,
                    const std::atomic<bool>* cancel = nullptr) const;

private:
    DecodedProgram m_program;
};
