#include "batchrun.h"

#include "decodedrun.h"
#include "dialogs.h"
#include "protocolformat.h"
#include "utf8output.h"
#include "zevoerror.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The decimal text of each register as last written to the protocol: a step
// changes at most one register, so most values of an entry are copied, not
// formed anew. Keyed by the value itself, so it can never be stale.
class ValueTexts {
public:
    // Copies whole slots: the output needs Slot - 1 bytes of room past its end.
    static constexpr qsizetype Slot = 16;

    char* write(char* out, int i, qint32 value) {
        Text& text = m_texts[std::size_t(i)];
        if (text.value != value) {
            text.value = value;
            text.length = qint8(writeDecimal(text.bytes, value) - text.bytes);
        }
        std::memcpy(out, text.bytes, Slot);
        return out + text.length;
    }

private:
    struct Text {
        qint32 value = 0;
        qint8 length = 1;
        char bytes[Slot] = {'0'};
    };
    std::array<Text, RegisterCount> m_texts{};
};

// One protocol entry as RunSession writes it: the register line and, with
// instructions, the program line CurrentLine, both formed before either counts.
void writeEntry(Utf8Output& out, ValueTexts& texts, const ProtocolLayout& layout,
                const DecodedProgram& program, const RegisterTexts& registers,
                qint32 CurrentLine) {
    const bool withInstruction = layout.kind == ProtocolKind::RegistersAndInstruction;
    const QByteArrayView instruction =
        withInstruction ? program.utf8Line(CurrentLine) : QByteArrayView();
    char* p = out.reserve(protocolformat::MaxRegisterLine + ValueTexts::Slot + 2 +
                          instruction.size());
    p = protocolformat::writeRegisterLine(
        p, layout, [&](int i) { return registers.read(i); },
        [&](char* at, int i, qint32 value) { return texts.write(at, i, value); });
    *p++ = '\n';
    if (withInstruction) {
        p = std::copy(instruction.begin(), instruction.end(), p);
        *p++ = '\n';
    }
    out.commit(p);
}

} // namespace

BatchRun::BatchRun(const ProgramText& program, RegisterTexts& registers, const Settings& settings)
    : m_program(program), m_registers(registers), m_settings(settings) {}

QString BatchRun::emptyFirstLineMessage() {
    return QStringLiteral("Die erste Programmzeile ist leer, das Programm kann nicht "
                          "zurückgesetzt werden!");
}

QString BatchRun::stepLimitMessage() {
    return QStringLiteral("Schrittlimit erreicht, Abbruch!");
}

RunOutcome BatchRun::outcomeOf(StepResult result, qint32 stepCount) {
    RunOutcome outcome;
    if (result == Step::Continue) {
        outcome.exitStatus = 1;
        outcome.message = stepLimitMessage();
    } else {
        outcome.exitStatus = result == Step::Ended ? 0 : int(result);
        outcome.message = stepResultMessage(result);
    }
    outcome.stepCount = stepCount;
    return outcome;
}

RunOutcome BatchRun::run(qint32 maxSteps, Output output, Utf8Output& out) {
    // The window's reset ignores a program whose first line is empty; a batch
    // run has nothing to run then.
    if (!m_program.canReset()) {
        RunOutcome outcome;
        outcome.exitStatus = 2;
        outcome.message = emptyFirstLineMessage();
        return outcome;
    }

    const ProtocolLayout layout = ProtocolLayout::from(m_settings);
    const bool protocol = output == Output::Protocol;
    qint32 CurrentLine = m_program.firstLine();
    qint32 StepCount = 0;
    RunOutcome outcome;
    ValueTexts texts;
    bool resetDone = false;
    try {
        // The reset's entry reads R0..Rn even without a protocol: a text that is
        // no number then fails here as it would in the window, whatever the
        // output. Later entries cannot fail, since only writes change registers.
        if (protocol) {
            out.startProtocol(protocolHeading(layout));
            writeEntry(out, texts, layout, m_program, m_registers, CurrentLine);
        } else {
            (void)protocolRegisterLine(layout, m_registers);
        }
        resetDone = true;

        StepResult result = Step::Continue;
        if (protocol) {
            result = runDecodedSteps(
                m_program, m_registers, maxSteps, CurrentLine, StepCount,
                [&] { return !out.failed(); },
                [&](qint32 line) { writeEntry(out, texts, layout, m_program, m_registers, line); });
        } else {
            result = runDecodedSteps(m_program, m_registers, maxSteps, CurrentLine, StepCount,
                                     [] { return true; }, [](qint32) {});
        }
        outcome = outcomeOf(result, StepCount);
    } catch (const ZevoError& e) {
        // A register text that is not a number, as the error display shows it.
        outcome.exitStatus = 2;
        outcome.message = withFullStop(e.message());
        outcome.stepCount = StepCount;
    }

    if (!protocol && resetDone)
        out.writeLine(protocolRegisterLine(layout, m_registers));
    return outcome;
}
