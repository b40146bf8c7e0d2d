#include "protocolformat.h"

#include "programtext.h"
#include "registeraccess.h"
#include "syntax.h"

#include <algorithm>
#include <array>

namespace {
int clampedLast(const ProtocolLayout& layout) {
    return std::clamp(layout.lastRegister, 0, RegisterCount - 1);
}

// Appends the decimal text of value (as QString::number writes it) and returns
// its length: a protocol line of 51 values then needs no string per value.
qsizetype appendDecimal(QString& line, qint32 value) {
    std::array<char16_t, 12> digits{};
    std::size_t start = digits.size();
    qint64 v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        digits[--start] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        digits[--start] = u'-';
    const qsizetype length = qsizetype(digits.size() - start);
    line.append(QStringView(digits.data() + start, length));
    return length;
}
} // namespace

ProtocolLayout ProtocolLayout::from(const Settings& settings) {
    return {settings.protocolKind(), settings.protocolLastRegister(), settings.protocolSpacing()};
}

QString protocolHeading(const ProtocolLayout& layout) {
    QString line;
    if (layout.kind == ProtocolKind::RegistersAndInstruction)
        line += QStringLiteral("Befehl\t");
    const QString label = layout.spacing == ProtocolSpacing::Gross ? QStringLiteral("Register %1\t")
                                                                   : QStringLiteral("R %1\t");
    for (int i = 0; i <= clampedLast(layout); ++i)
        line += label.arg(i);
    return line;
}

QString protocolRegisterLine(const ProtocolLayout& layout, const RegisterAccess& registers) {
    QString line;
    line.reserve(16 * (clampedLast(layout) + 2));
    if (layout.kind == ProtocolKind::RegistersAndInstruction)
        line += u'\t';
    for (int i = 0; i <= clampedLast(layout); ++i) {
        const qsizetype length = appendDecimal(line, registers.ReadRegister(i));
        line += u'\t';
        if (layout.spacing == ProtocolSpacing::Gross && length <= 7)
            line += u'\t';
    }
    return line;
}

QString protocolInstructionLine(const ProgramText& program, qint32 CurrentLine) {
    return program.lineText(CurrentLine);
}
