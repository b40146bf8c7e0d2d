#pragma once

// Runs one program through the one run (run.h) both ways: the lines read from
// the text at every step with the registers as texts (as in the window), and
// the program decoded once with the registers as numbers (as in zevo-run).
// Returns what differs, or an empty text when the outcome, the step count,
// every protocol byte and every register agree.

#include "batchrun.h"
#include "fakes.h"
#include "linelist.h"
#include "numericregisters.h"
#include "utf8output.h"
#include "windowrun.h"
#include "zevoerror.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace runcompare {

// The protocol bytes and the outcome of one run written to a memory stream.
template <class Lines, class Registers>
RunOutcome runToBytes(Lines lines, Registers registers, const PlainSettings& settings,
                      qint32 maxSteps, QByteArray& bytes) {
#ifdef Q_OS_WIN
    // No memory streams on Windows: a temporary file, read back.
    std::FILE* stream = std::tmpfile();
#else
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
#endif
    if (!stream)
        qFatal("no memory stream");
    RunOutcome outcome;
    {
        Utf8Output out(stream);
        outcome = runBatch<Lines, Registers>(lines, registers, ProtocolLayout::from(settings),
                                             maxSteps, BatchOutput::Protocol, out);
    }
#ifdef Q_OS_WIN
    bytes.clear();
    std::rewind(stream);
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stream)) > 0;)
        bytes.append(chunk, qsizetype(n));
    std::fclose(stream);
#else
    std::fclose(stream);
    bytes = QByteArray(buffer, qsizetype(size));
    std::free(buffer);
#endif
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
    NumericRegisters decoded;
    for (qsizetype i = 0; i < texts.size() && i < RegisterCount; ++i) {
        byText.texts[i] = texts[i];
        decoded.setText(qint32(i), texts[i]);
    }
    const FakeProgram program(lines);
    QByteArray expectedBytes;
    const RunOutcome expected =
        runToBytes(TextLines(program), WindowRegisters{&byText}, settings, maxSteps, expectedBytes);
    const DecodedProgram decodedProgram{LineList(lines)};
    QByteArray bytes;
    const RunOutcome got = runToBytes<const DecodedProgram&, NumericRegisters&>(
        decodedProgram, decoded, settings, maxSteps, bytes);

    if (got.exitStatus != expected.exitStatus || got.message != expected.message)
        return QStringLiteral("outcome %1 '%2', expected %3 '%4'")
            .arg(got.exitStatus)
            .arg(got.message)
            .arg(expected.exitStatus)
            .arg(expected.message);
    if (got.stepCount != expected.stepCount)
        return QStringLiteral("steps %1, expected %2").arg(got.stepCount).arg(expected.stepCount);
    if (bytes != expectedBytes)
        return QStringLiteral("protocol differs:\n%1\nexpected:\n%2")
            .arg(QString::fromUtf8(bytes.right(300)), QString::fromUtf8(expectedBytes.right(300)));
    for (qint32 n = 0; n < RegisterCount; ++n) {
        const QString a = readResult([&] { return decoded.ReadRegister(n); });
        const QString b = readResult([&] { return byText.ReadRegister(n); });
        if (a != b)
            return QStringLiteral("R%1 reads %2, expected %3").arg(n).arg(a, b);
    }
    return QString();
}

} // namespace runcompare
