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

// Writes the decimal text of value (as QString::number gives it) at out and
// returns the end: a protocol line of 51 values then needs no string per value.
char16_t* writeDecimal(char16_t* out, qint32 value) {
    std::array<char16_t, 11> digits{};
    std::size_t start = digits.size();
    qint64 v = value;
    if (v < 0) {
        *out++ = u'-';
        v = -v;
    }
    do {
        digits[--start] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    return std::copy(digits.begin() + std::ptrdiff_t(start), digits.end(), out);
}
} // namespace

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
    const int last = clampedLast(layout);
    // At most a TAB, then per value 11 characters and two TABs; cut to size below.
    QString line(1 + 13 * (last + 1), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(line.data());
    char16_t* out = begin;
    if (layout.kind == ProtocolKind::RegistersAndInstruction)
        *out++ = u'\t';
    for (int i = 0; i <= last; ++i) {
        char16_t* const value = out;
        out = writeDecimal(out, registers.ReadRegister(i));
        *out++ = u'\t';
        if (layout.spacing == ProtocolSpacing::Gross && out - value <= 8)
            *out++ = u'\t';
    }
    line.truncate(out - begin);
    return line;
}

QString protocolInstructionLine(const ProgramText& program, qint32 CurrentLine) {
    return program.lineText(CurrentLine);
}
