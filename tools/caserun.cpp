#include "caserun.h"

#include "linelist.h"
#include "registertexts.h"
#include "settings.h"

namespace {
class NoOutput final : public ProtocolSink {
public:
    void startProtocol(const QString&) override {}
    void appendEntry(std::span<const QString>) override {}
};
} // namespace

PreparedProgram::PreparedProgram(QStringList lines) : m_lines(std::move(lines)) {}

CaseRun PreparedProgram::run(const std::array<qint32, RegisterCount>& registers,
                             qint32 maxSteps) const {
    const LineList program(m_lines);
    RegisterTexts texts;
    for (qint32 n = 0; n < RegisterCount; ++n)
        texts.WriteRegister(n, registers[std::size_t(n)]);
    const PlainSettings settings;
    BatchRun batch(program, texts, settings);
    NoOutput none;
    CaseRun result;
    result.outcome = batch.run(maxSteps, BatchRun::Output::FinalRegisterLine, none);
    for (qint32 n = 0; n < RegisterCount; ++n)
        result.registers[std::size_t(n)] = texts.ReadRegister(n);
    return result;
}
