#include "fuzzcheck.h"
#include "fakes.h"
#include "fuzztargets.h"

#include "protocolformat.h"
#include "zevoerror.h"

#include <QStringList>

#include <algorithm>
#include <functional>

namespace protocolfuzz {
namespace {

// Longest register line: the leading TAB and 51 values of 11 characters with one TAB each.
constexpr int LongestRegisterLine = 1 + 51 * 12;

// The description of an input, built only when a check fails.
using Where = std::function<QString()>;

QString describe(const ProtocolLayout& layout, const QStringList& texts) {
    return QStringLiteral("kind %1, last %2, spacing %3, registers [%4]")
        .arg(int(layout.kind))
        .arg(layout.lastRegister)
        .arg(int(layout.spacing))
        .arg(texts.join(u'|'));
}

void checkHeading(const ProtocolLayout& layout, const Where& where) {
    const QString heading = protocolHeading(layout);
    const bool withInstruction = layout.kind == ProtocolKind::RegistersAndInstruction;
    const int n = layout.lastRegister;
    FUZZ_CHECK(heading.count(u'\t') == n + 1 + (withInstruction ? 1 : 0), where() + heading);
    FUZZ_CHECK(heading.endsWith(u'\t'), where());
    QStringList columns = heading.split(u'\t');
    columns.removeLast(); // after the final TAB
    if (withInstruction) {
        FUZZ_CHECK(columns.front() == QStringLiteral("Befehl"), where());
        columns.removeFirst();
    }
    FUZZ_CHECK(columns.size() == n + 1, where());
    const QString prefix = layout.spacing == ProtocolSpacing::Gross ? QStringLiteral("Register ")
                                                                    : QStringLiteral("R ");
    for (int i = 0; i <= n; ++i)
        FUZZ_CHECK(columns[i] == prefix + QString::number(i), where() + columns[i]);
}

void checkRegisterLine(const ProtocolLayout& layout, const FakeRegisters& registers,
                       const Where& where) {
    const int n = layout.lastRegister;
    // Expected values, or the first text that fails to convert.
    QList<qint32> values;
    QString failing;
    bool fails = false;
    for (int i = 0; i <= n && !fails; ++i) {
        if (const auto v = tryParseInteger(registers.texts[i]))
            values << *v;
        else {
            fails = true;
            failing = registers.texts[i];
        }
    }

    QString line;
    try {
        line = protocolRegisterLine(layout, registers);
    } catch (const ZevoError& e) {
        FUZZ_CHECK(fails, where() + e.message());
        FUZZ_CHECK(e.message() == conversionErrorMessage(failing), where() + e.message());
        return;
    }
    FUZZ_CHECK(!fails, where() + line);
    FUZZ_CHECK(line.size() <= LongestRegisterLine, where() + line);

    qsizetype pos = 0;
    if (layout.kind == ProtocolKind::RegistersAndInstruction) {
        FUZZ_CHECK(line.startsWith(u'\t'), where() + line);
        pos = 1;
    }
    for (int i = 0; i <= n; ++i) {
        const QString v = QString::number(values[i]);
        FUZZ_CHECK(line.mid(pos, v.size()) == v, where() + line);
        pos += v.size();
        // The 7/8 rule: under "groß" a value of at most 7 characters gets a second TAB.
        const int tabs = layout.spacing == ProtocolSpacing::Gross && v.size() <= 7 ? 2 : 1;
        FUZZ_CHECK(line.mid(pos, tabs) == QString(tabs, u'\t'), where() + line);
        pos += tabs;
        FUZZ_CHECK(pos >= line.size() || line[pos] != u'\t', where() + line);
    }
    FUZZ_CHECK(pos == line.size(), where() + line);
}

} // namespace

// Layout: byte 0 bit 0 kind, bit 1 spacing; byte 1 last register (mod 51);
// byte 2 bit mask of which registers take raw text; then per register either
// four bytes of value or, for raw text, one length byte and the bytes.
int fuzzOne(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    ProtocolLayout layout;
    layout.kind = data[0] & 1 ? ProtocolKind::RegistersAndInstruction : ProtocolKind::RegistersOnly;
    layout.spacing = data[0] & 2 ? ProtocolSpacing::Gross : ProtocolSpacing::Klein;
    layout.lastRegister = data[1] % 51;
    const uint8_t rawMask = data[2];

    FakeRegisters registers;
    size_t pos = 3;
    for (int i = 0; i < RegisterCount && pos < size; ++i) {
        // Only the first eight registers may hold raw text, so that most lines print.
        if (i < 8 && (rawMask >> i) & 1) {
            const size_t length = std::min<size_t>(data[pos], size - pos - 1);
            registers.texts[i] = QString::fromLatin1(reinterpret_cast<const char*>(data + pos + 1),
                                                     qsizetype(length));
            pos += 1 + length;
        } else {
            quint32 v = 0;
            for (int b = 0; b < 4 && pos < size; ++b, ++pos)
                v |= quint32(data[pos]) << (8 * b);
            registers.texts[i] = QString::number(static_cast<qint32>(v));
        }
    }

    const Where where = [&] { return describe(layout, registers.texts) + u' '; };
    checkHeading(layout, where);
    checkRegisterLine(layout, registers, where);
    return 0;
}

} // namespace protocolfuzz
