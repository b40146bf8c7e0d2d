#include "batchrun.h"

#include "dialogs.h"
#include "programtext.h"
#include "protocolformat.h"
#include "registeraccess.h"
#include "zevoerror.h"

BatchRun::BatchRun(const ProgramText& program, RegisterAccess& registers, const Settings& settings)
    : m_program(program), m_registers(registers), m_settings(settings) {}

QString BatchRun::emptyFirstLineMessage() {
    return QStringLiteral("Die erste Programmzeile ist leer, das Programm kann nicht "
                          "zurückgesetzt werden!");
}

QString BatchRun::stepLimitMessage() {
    return QStringLiteral("Schrittlimit erreicht, Abbruch!");
}

RunOutcome BatchRun::run(qint32 maxSteps, Output output, ProtocolSink& sink) {
    RunOutcome outcome;
    Machine machine{m_program, m_registers, m_settings, nullptr};
    RunSession session(machine);
    // The window's reset ignores a program whose first line is empty; a batch
    // run has nothing to run then.
    if (!session.reset()) {
        outcome.exitStatus = 2;
        outcome.message = emptyFirstLineMessage();
        return outcome;
    }

    const ProtocolLayout layout = ProtocolLayout::from(m_settings);
    const bool protocol = output == Output::Protocol;
    if (protocol)
        session.setSink(&sink);
    bool resetDone = false;

    try {
        // The reset's entry reads R0..Rn even without a protocol: a text that is
        // no number then fails here as it would in the window, whatever the
        // output. Later entries cannot fail, since only writes change registers.
        if (protocol) {
            session.writeHeading();
            session.writeEntry();
        } else {
            (void)protocolRegisterLine(layout, m_registers);
        }
        resetDone = true;

        StepResult result = Step::Continue;
        for (qint32 executed = 0;
             executed < maxSteps && result == Step::Continue && !sink.failed(); ++executed) {
            result = session.step();
            if (result == Step::Continue)
                session.countStep();
            session.writeEntry();
        }

        if (result == Step::Continue) {
            outcome.exitStatus = 1;
            outcome.message = stepLimitMessage();
        } else {
            outcome.exitStatus = result == Step::Ended ? 0 : int(result);
            outcome.message = stepResultMessage(result);
        }
    } catch (const ZevoError& e) {
        // A register text that is not a number, as the error display shows it.
        outcome.exitStatus = 2;
        outcome.message = withFullStop(e.message());
    }
    outcome.stepCount = session.StepCount;

    if (!protocol && resetDone) {
        try {
            const QString line = protocolRegisterLine(layout, m_registers);
            sink.appendEntry(std::span<const QString>(&line, 1));
        } catch (const ZevoError&) {
            // Cannot happen after a successful reset read; nothing to print then.
        }
    }
    return outcome;
}
