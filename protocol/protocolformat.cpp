#include "protocolformat.h"

#include "programtext.h"
#include "registeraccess.h"
#include "syntax.h"

#include <algorithm>

namespace {
int clampedLast(const ProtocolLayout& layout) {
    return std::clamp(layout.lastRegister, 0, RegisterCount - 1);
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
        const QString value = QString::number(registers.ReadRegister(i));
        line += value;
        line += u'\t';
        if (layout.spacing == ProtocolSpacing::Gross && value.size() <= 7)
            line += u'\t';
    }
    return line;
}

QString protocolInstructionLine(const ProgramText& program, qint32 CurrentLine) {
    return program.lineText(CurrentLine);
}
