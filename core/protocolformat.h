#pragma once

#include "settings.h"
#include "syntax.h"

#include <QString>
#include <algorithm>
#include <array>

class ProgramText;
class RegisterAccess;

// The three settings that shape protocol lines, read once per call.
struct ProtocolLayout {
    ProtocolKind kind = ProtocolKind::RegistersOnly;
    int lastRegister = 10;
    ProtocolSpacing spacing = ProtocolSpacing::Klein;

    static ProtocolLayout from(const Settings& settings) {
        return {settings.protocolKind(), settings.protocolLastRegister(),
                settings.protocolSpacing()};
    }
};

// Widget-free protocol lines, so that every front end writes the same protocol.
// Columns are separated by TABs alone.

// "Befehl<TAB>" (with instructions) then "R i<TAB>" or "Register i<TAB>" for i = 0..n.
QString protocolHeading(const ProtocolLayout& layout);

// One line of register values; under "groß" a value of at most 7 characters gets
// a second TAB. Reads every register first, so a conversion error leaves nothing.
QString protocolRegisterLine(const ProtocolLayout& layout, const RegisterAccess& registers);

namespace protocolformat {

// The most characters a register line can have: a TAB, then per value 11
// characters and two TABs.
constexpr qsizetype MaxRegisterLine = 1 + 13 * RegisterCount;

// Writes the decimal text of value at out and returns the end.
template <class Char>
Char* writeDecimal(Char* out, qint32 value) {
    std::array<Char, 11> digits{};
    std::size_t start = digits.size();
    qint64 v = value;
    if (v < 0) {
        *out++ = Char('-');
        v = -v;
    }
    do {
        digits[--start] = Char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    return std::copy(digits.begin() + std::ptrdiff_t(start), digits.end(), out);
}

// The register line, written at out (room for MaxRegisterLine characters) as
// UTF-16 for the protocol window or as bytes for a stream: the characters are
// ASCII. read(i) gives register i and may throw.
template <class Char, class Read>
Char* writeRegisterLine(Char* out, const ProtocolLayout& layout, const Read& read) {
    const int last = std::clamp(layout.lastRegister, 0, RegisterCount - 1);
    if (layout.kind == ProtocolKind::RegistersAndInstruction)
        *out++ = Char('\t');
    for (int i = 0; i <= last; ++i) {
        Char* const value = out;
        out = writeDecimal(out, read(i));
        *out++ = Char('\t');
        if (layout.spacing == ProtocolSpacing::Gross && out - value <= 8)
            *out++ = Char('\t');
    }
    return out;
}

} // namespace protocolformat

// The second line of an entry with instructions: line CurrentLine of the
// program exactly as it stands (empty past the end). RunSession::writeEntry
// forms whole entries.
QString protocolInstructionLine(const ProgramText& program, qint32 CurrentLine);
