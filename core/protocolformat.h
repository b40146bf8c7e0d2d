#pragma once

#include "settings.h"

#include <QString>

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

// The second line of an entry with instructions: line CurrentLine of the
// program exactly as it stands (empty past the end). RunSession::writeEntry
// forms whole entries.
QString protocolInstructionLine(const ProgramText& program, qint32 CurrentLine);
