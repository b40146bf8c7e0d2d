#pragma once

#include "settings.h"

// The settings as the main window's parts see them. The options dialog, which
// holds them, is created after the main window; until it is handed in, the
// start-up defaults answer.
class ForwardingSettings final : public Settings {
public:
    void setTarget(const Settings* target) { m_target = target; }

    bool confirmExit() const override { return source().confirmExit(); }
    bool markChangedRegisters() const override { return source().markChangedRegisters(); }
    bool highlightCurrentLine() const override { return source().highlightCurrentLine(); }
    ProtocolKind protocolKind() const override { return source().protocolKind(); }
    int protocolLastRegister() const override { return source().protocolLastRegister(); }
    ProtocolSpacing protocolSpacing() const override { return source().protocolSpacing(); }

private:
    const Settings& source() const { return m_target ? *m_target : m_defaults; }

    const Settings* m_target = nullptr;
    PlainSettings m_defaults;
};
