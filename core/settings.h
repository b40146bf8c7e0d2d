#pragma once

#include <QtGlobal>

enum class ProtocolKind : quint8 { RegistersOnly = 0, RegistersAndInstruction = 1 };
enum class ProtocolSpacing : quint8 { Klein = 0, Gross = 1 };

// The last register a protocol line shows until the user chooses another.
constexpr int DefaultLastRegister = 10;

// The six user settings. Readers ask at the moment they need a value; the
// window implementation answers from its controls, so nothing is cached.
class Settings {
public:
    virtual ~Settings() = default;
    virtual bool confirmExit() const = 0;
    virtual bool markChangedRegisters() const = 0;
    virtual bool highlightCurrentLine() const = 0;
    virtual ProtocolKind protocolKind() const = 0;
    virtual int protocolLastRegister() const = 0;
    virtual ProtocolSpacing protocolSpacing() const = 0;
};

// Plain values with the start-up defaults, for front ends without a dialog.
struct PlainSettings final : Settings {
    bool ConfirmExit = true;
    bool MarkChangedRegisters = true;
    bool HighlightCurrentLine = true;
    ProtocolKind Kind = ProtocolKind::RegistersOnly;
    int LastRegister = DefaultLastRegister;
    ProtocolSpacing Spacing = ProtocolSpacing::Klein;

    bool confirmExit() const override { return ConfirmExit; }
    bool markChangedRegisters() const override { return MarkChangedRegisters; }
    bool highlightCurrentLine() const override { return HighlightCurrentLine; }
    ProtocolKind protocolKind() const override { return Kind; }
    int protocolLastRegister() const override { return LastRegister; }
    ProtocolSpacing protocolSpacing() const override { return Spacing; }
};
