#pragma once

#include "integertext.h"
#include "settings.h"
#include "syntax.h"

#include <QString>
#include <algorithm>
#include <array>

class RegisterAccess;

// The three settings that shape protocol lines, read once per call.
struct ProtocolLayout {
    ProtocolKind kind = ProtocolKind::RegistersOnly;
    int lastRegister = DefaultLastRegister;
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

// The register line, written at out (room for MaxRegisterLine characters) as
// UTF-16 for the protocol window or as bytes for a stream: the characters are
// ASCII. read(i) gives register i and may throw; writeValue(out, i, value)
// writes a value's decimal text and returns its end.
// Always inlined: a call would keep read and writeValue in memory, which every
// character written might alias, so they would be loaded anew per character.
template <class Char, class Read, class WriteValue>
Q_ALWAYS_INLINE Char* writeRegisterLine(Char* out, const ProtocolLayout& layout, const Read& read,
                        WriteValue&& writeValue) {
    // Everything is read before anything is written: a failed read leaves no
    // half line, and the writes through out cannot alias what the loop reads.
    const int last = std::clamp(layout.lastRegister, 0, RegisterCount - 1);
    const bool gross = layout.spacing == ProtocolSpacing::Gross;
    std::array<qint32, RegisterCount> values;
    for (int i = 0; i <= last; ++i)
        values[std::size_t(i)] = read(i);
    if (layout.kind == ProtocolKind::RegistersAndInstruction)
        *out++ = Char('\t');
    for (int i = 0; i <= last; ++i) {
        Char* const value = out;
        out = writeValue(out, i, values[std::size_t(i)]);
        *out++ = Char('\t');
        if (gross && out - value <= 8)
            *out++ = Char('\t');
    }
    return out;
}

template <class Char, class Read>
Char* writeRegisterLine(Char* out, const ProtocolLayout& layout, const Read& read) {
    return writeRegisterLine(out, layout, read,
                             [](Char* at, int, qint32 value) { return writeDecimal(at, value); });
}

} // namespace protocolformat

// The register line as text; read(i) gives register i and may throw.
template <class Read>
QString registerLineText(const ProtocolLayout& layout, const Read& read) {
    QString line(protocolformat::MaxRegisterLine, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(line.data());
    char16_t* const end = protocolformat::writeRegisterLine(begin, layout, read);
    line.truncate(end - begin);
    return line;
}
