#include "protocolformat.h"

#include "registeraccess.h"
#include "syntax.h"

#include <algorithm>
#include <array>

namespace {
int clampedLast(const ProtocolLayout& layout) {
    return std::clamp(layout.lastRegister, 0, RegisterCount - 1);
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
    return registerLineText(layout, [&](int i) { return registers.ReadRegister(i); });
}
