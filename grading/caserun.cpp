#include "caserun.h"

#include "linelist.h"
#include "numericregisters.h"

namespace {

struct CancelFlag {
    static constexpr bool Asks = true;
    const std::atomic<bool>& flag;
    bool operator()() const { return flag.load(std::memory_order_relaxed); }
};

} // namespace

PreparedProgram::PreparedProgram(QStringList lines)
    : m_program(LineList(std::move(lines)), DecodedProgram::Texts::Dropped) {}

CaseOutcome PreparedProgram::run(const std::array<qint32, RegisterCount>& registers,
                                 qint32 maxSteps, const std::atomic<bool>* cancel) const {
    NumericRegisters texts;
    for (qint32 n = 0; n < RegisterCount; ++n)
        texts.write(n, registers[std::size_t(n)]);
    // Every register holds a number, so no read can fail.
    ProgramRun<const DecodedProgram&, NumericRegisters&, NoProtocol> run(m_program, texts,
                                                                         NoProtocol{});
    CaseOutcome result;
    if (cancel) {
        result.outcome = resetAndRun(
            run, maxSteps, [] {}, CancelFlag{*cancel});
        result.cancelled = cancel->load(std::memory_order_relaxed);
    } else {
        result.outcome = resetAndRun(run, maxSteps, [] {});
    }
    for (qint32 n = 0; n < RegisterCount; ++n)
        result.registers[std::size_t(n)] = texts.read(n);
    return result;
}
