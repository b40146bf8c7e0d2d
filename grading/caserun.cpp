#include "caserun.h"

#include "linelist.h"
#include "registertexts.h"

PreparedProgram::PreparedProgram(QStringList lines) : m_program(LineList(std::move(lines))) {}

CaseRun PreparedProgram::run(const std::array<qint32, RegisterCount>& registers,
                             qint32 maxSteps) const {
    RegisterTexts texts;
    for (qint32 n = 0; n < RegisterCount; ++n)
        texts.write(n, registers[std::size_t(n)]);
    // Every register holds a number, so no read can fail.
    ProgramRun<const DecodedProgram&, RegisterTexts&, NoProtocol> run(m_program, texts, NoProtocol{});
    CaseRun result;
    result.outcome = resetAndRun(run, maxSteps, [] {});
    for (qint32 n = 0; n < RegisterCount; ++n)
        result.registers[std::size_t(n)] = texts.read(n);
    return result;
}
