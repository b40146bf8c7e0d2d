#pragma once

// Runs one program both ways: reading the text at every step (the window's
// ExecuteLine through RunSession, registers as texts) and decoded once (the
// runner's BatchRun, registers as numbers). Returns what differs, or an empty
// text when the outcome, the step count, every protocol byte and every
// register agree.

#include "batchrun.h"
#include "fakes.h"
#include "linelist.h"
#include "protocolformat.h"
#include "registertexts.h"
#include "runsession.h"
#include "utf8output.h"
#include "zevoerror.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace runcompare {

class BytesSink final : public ProtocolSink {
public:
    void startProtocol(const QString& heading) override { line(heading); }
    void appendEntry(std::span<const QString> lines) override {
        for (const QString& l : lines)
            line(l);
    }
    QByteArray bytes;

private:
    void line(const QString& text) { bytes += text.toUtf8() + '\n'; }
};

// The window's run without waits: the loop BatchRun's loop stands for.
inline RunOutcome runByText(const QStringList& lines, FakeRegisters& registers,
                            const PlainSettings& settings, qint32 maxSteps, BytesSink& sink) {
    FakeProgram program(lines);
    Machine machine{program, registers, settings, nullptr};
    RunSession session(machine);
    RunOutcome outcome;
    if (!session.reset()) {
        outcome.exitStatus = 2;
        outcome.message = BatchRun::emptyFirstLineMessage();
        return outcome;
    }
    session.setSink(&sink);
    try {
        session.writeHeading();
        session.writeEntry();
        StepResult result = Step::Continue;
        for (;;) {
            // At the limit a step is made only if it ends the run; one that
            // would go on is undone, registers and line alike.
            const bool atLimit = session.StepCount >= maxSteps;
            const QStringList before = atLimit ? registers.texts : QStringList();
            const qint32 line = session.CurrentLine;
            result = session.step();
            if (result == Step::Continue && atLimit) {
                registers.texts = before;
                session.CurrentLine = line;
                break;
            }
            if (result == Step::Continue)
                session.countStep();
            session.writeEntry();
            if (result != Step::Continue)
                break;
        }
        outcome = BatchRun::outcomeOf(result, session.StepCount);
    } catch (const ZevoError& e) {
        outcome.exitStatus = 2;
        outcome.message = withFullStop(e.message());
        outcome.stepCount = session.StepCount;
    }
    return outcome;
}

// What reading register n gives: its value, or the conversion error's message.
template <class Read>
QString readResult(Read read) {
    try {
        return QString::number(read());
    } catch (const ZevoError& e) {
        return QStringLiteral("error ") + e.message();
    }
}

inline QString compare(const QStringList& lines, const QStringList& texts,
                       const PlainSettings& settings, qint32 maxSteps) {
    FakeRegisters byText;
    RegisterTexts decoded;
    for (qsizetype i = 0; i < texts.size() && i < RegisterCount; ++i) {
        byText.texts[i] = texts[i];
        decoded.setText(qint32(i), texts[i]);
    }
    BytesSink expectedSink;
    const RunOutcome expected = runByText(lines, byText, settings, maxSteps, expectedSink);

    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    if (!stream)
        return QStringLiteral("no memory stream");
    RunOutcome got;
    {
        Utf8Output out(stream);
        BatchRun run(LineList(lines), decoded, settings);
        got = run.run(maxSteps, BatchRun::Output::Protocol, out);
    }
    std::fclose(stream);
    const QByteArray bytes(buffer, qsizetype(size));
    std::free(buffer);

    if (got.exitStatus != expected.exitStatus || got.message != expected.message)
        return QStringLiteral("outcome %1 '%2', expected %3 '%4'")
            .arg(got.exitStatus)
            .arg(got.message)
            .arg(expected.exitStatus)
            .arg(expected.message);
    if (got.stepCount != expected.stepCount)
        return QStringLiteral("steps %1, expected %2").arg(got.stepCount).arg(expected.stepCount);
    if (bytes != expectedSink.bytes)
        return QStringLiteral("protocol differs:\n%1\nexpected:\n%2")
            .arg(QString::fromUtf8(bytes.right(300)), QString::fromUtf8(expectedSink.bytes.right(300)));
    for (qint32 n = 0; n < RegisterCount; ++n) {
        const QString a = readResult([&] { return decoded.ReadRegister(n); });
        const QString b = readResult([&] { return byText.ReadRegister(n); });
        if (a != b)
            return QStringLiteral("R%1 reads %2, expected %3").arg(n).arg(a, b);
    }
    return QString();
}

} // namespace runcompare
