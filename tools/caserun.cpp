#include "caserun.h"

#include "decodedrun.h"
#include "linelist.h"
#include "zevoerror.h"

PreparedProgram::PreparedProgram(QStringList lines) : m_program(LineList(std::move(lines))) {}

CaseRun PreparedProgram::run(const std::array<qint32, RegisterCount>& registers,
                             qint32 maxSteps) const {
    CaseRun result;
    if (!m_program.canReset()) {
        result.outcome.exitStatus = 2;
        result.outcome.message = BatchRun::emptyFirstLineMessage();
        result.registers = registers;
        return result;
    }
    RegisterTexts texts;
    for (qint32 n = 0; n < RegisterCount; ++n)
        texts.write(n, registers[std::size_t(n)]);
    qint32 CurrentLine = m_program.firstLine();
    qint32 StepCount = 0;
    // Every register holds a number, so no read can fail.
    const StepResult last = runDecodedSteps(m_program, texts, maxSteps, CurrentLine, StepCount,
                                            [] { return true; }, [](qint32) {});
    result.outcome = BatchRun::outcomeOf(last, StepCount);
    for (qint32 n = 0; n < RegisterCount; ++n)
        result.registers[std::size_t(n)] = texts.read(n);
    return result;
}
