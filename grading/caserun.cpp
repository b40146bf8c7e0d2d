#include "caserun.h"

#include "linelist.h"

namespace {

struct CancelFlag {
    static constexpr bool Asks = true;
    const std::atomic<bool>& flag;
    bool operator()() const { return flag.load(std::memory_order_relaxed); }
};

} // namespace

PreparedProgram::PreparedProgram(QStringList lines)
    : m_program(LineList(std::move(lines)), DecodedProgram::Texts::Dropped) {}

CaseOutcome PreparedProgram::run(NumericRegisters& registers, qint32 maxSteps,
                                 const std::atomic<bool>* cancel) const {
    ProgramRun<const DecodedProgram&, NumericRegisters&, NoProtocol> run(m_program, registers,
                                                                         NoProtocol{});
    CaseOutcome result;
    if (cancel) {
        result.outcome = resetAndRun(
            run, maxSteps, [] {}, CancelFlag{*cancel});
        result.cancelled = cancel->load(std::memory_order_relaxed);
    } else {
        result.outcome = resetAndRun(run, maxSteps, [] {});
    }
    return result;
}
