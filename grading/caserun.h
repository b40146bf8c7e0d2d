#pragma once

#include "decodedprogram.h"
#include "run.h"
#include "syntax.h"

#include <QStringList>
#include <array>

// The final state of one run of a grading case.
struct CaseRun {
    RunOutcome outcome; // its exitStatus as a run without a window gives it (run.h)
    std::array<qint32, RegisterCount> registers{}; // the register values at the end
};

// A program read once and run for many cases, without a protocol. run() is
// const and keeps no state, so several threads may run cases of one program.
class PreparedProgram {
public:
    explicit PreparedProgram(QStringList lines);

    // A reset, then the run to its end or to the step limit maxSteps (>= 1),
    // with the given register values before the run.
    CaseRun run(const std::array<qint32, RegisterCount>& registers, qint32 maxSteps) const;

private:
    DecodedProgram m_program;
};
