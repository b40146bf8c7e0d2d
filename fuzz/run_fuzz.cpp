#include "fuzzcheck.h"
#include "fuzztargets.h"
#include "runcompare.h"

namespace runfuzz {
namespace {

QStringList pieces(const QByteArray& bytes, int limit) {
    QStringList out;
    for (const QByteArray& piece : bytes.split('\n')) {
        if (out.size() == limit)
            break;
        out << QString::fromLatin1(piece);
    }
    return out;
}

} // namespace

// byte 0: bit 0 with instructions, bit 1 "groß"; byte 1: last register (mod 51);
// byte 2: the step limit (1 to 256); then program lines separated by LF, a NUL
// byte, and register texts separated by LF.
int fuzzOne(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    PlainSettings settings;
    settings.Kind = data[0] & 1 ? ProtocolKind::RegistersAndInstruction : ProtocolKind::RegistersOnly;
    settings.Spacing = data[0] & 2 ? ProtocolSpacing::Gross : ProtocolSpacing::Klein;
    settings.LastRegister = data[1] % RegisterCount;
    const qint32 maxSteps = qint32(data[2]) + 1;
    const QByteArray rest(reinterpret_cast<const char*>(data + 3), qsizetype(size - 3));
    const qsizetype nul = rest.indexOf('\0');
    const QStringList lines = pieces(nul < 0 ? rest : rest.left(nul), 64);
    const QStringList texts = nul < 0 ? QStringList() : pieces(rest.mid(nul + 1), RegisterCount);
    if (lines.size() == 1 && lines.first().isEmpty())
        return 0;
    const QString difference = runcompare::compare(lines, texts, settings, maxSteps);
    FUZZ_CHECK(difference.isEmpty(), lines.join(u'|') + QStringLiteral(" / ") +
                                         texts.join(u'|') + QStringLiteral(": ") + difference);
    return 0;
}

} // namespace runfuzz
