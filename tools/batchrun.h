#pragma once

#include "decodedprogram.h"
#include "protocolformat.h"
#include "run.h"
#include "streamprotocol.h"
#include "zevoerror.h"

#include <QString>

class ProgramText;
class NumericRegisters;
class Settings;
class Utf8Output;

enum class BatchOutput { Protocol, FinalRegisterLine };

// A reset followed by a "Start" run without waits, writing to out either the
// protocol exactly as the protocol window would hold it, or only the register
// line of the final state (and that only when the reset took place). At most
// maxSteps (>= 1) counted steps.
template <class Lines, class Registers>
RunOutcome runBatch(Lines lines, Registers registers, const ProtocolLayout& layout,
                    qint32 maxSteps, BatchOutput output, Utf8Output& out) {
    if (output == BatchOutput::Protocol) {
        ProgramRun<Lines, Registers, StreamProtocol> run(lines, registers, StreamProtocol(out, layout));
        return resetAndRun(run, maxSteps, [] {});
    }
    ProgramRun<Lines, Registers, NoProtocol> run(lines, registers, NoProtocol{});
    const auto read = [&](int i) { return registers.read(i); };
    bool resetDone = false;
    const RunOutcome outcome = resetAndRun(run, maxSteps, [&] {
        // The reset's entry reads R0..Rn even without a protocol: a text that
        // is no number then fails here, in the same order, as it would in the
        // window. Later reads cannot fail, since only writes change registers.
        const int last = std::clamp(layout.lastRegister, 0, RegisterCount - 1);
        for (int i = 0; i <= last; ++i)
            (void)read(i);
        resetDone = true;
    });
    if (resetDone)
        out.writeLine(registerLineText(layout, read));
    return outcome;
}

// zevo-run's single run: the program decoded once, the registers as numbers.
class BatchRun {
public:
    using Output = BatchOutput;

    BatchRun(const ProgramText& program, NumericRegisters& registers, const Settings& settings);

    RunOutcome run(qint32 maxSteps, Output output, Utf8Output& out);

private:
    const DecodedProgram m_program;
    NumericRegisters& m_registers;
    const Settings& m_settings;
};
