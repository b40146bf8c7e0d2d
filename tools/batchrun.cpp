#include "batchrun.h"

#include "numericregisters.h"

BatchRun::BatchRun(const ProgramText& program, NumericRegisters& registers, const Settings& settings)
    : m_program(program), m_registers(registers), m_settings(settings) {}

RunOutcome BatchRun::run(qint32 maxSteps, Output output, Utf8Output& out) {
    return runBatch<const DecodedProgram&, NumericRegisters&>(
        m_program, m_registers, ProtocolLayout::from(m_settings), maxSteps, output, out);
}
