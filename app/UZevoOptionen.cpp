#include "UZevoOptionen.h"

TOptionenFormular::TOptionenFormular(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionenFormular"));
    setWindowTitle(QStringLiteral("Optionen"));
}

void TOptionenFormular::setClearProtocol(std::function<void()> clearProtocol) {
    m_clearProtocol = std::move(clearProtocol);
}

void TOptionenFormular::setSetMarkChanges(std::function<void(bool)> setMarkChanges) {
    m_setMarkChanges = std::move(setMarkChanges);
}

bool TOptionenFormular::confirmExit() const { return m_values.confirmExit(); }
bool TOptionenFormular::markChangedRegisters() const { return m_values.markChangedRegisters(); }
bool TOptionenFormular::highlightCurrentLine() const { return m_values.highlightCurrentLine(); }
ProtocolKind TOptionenFormular::protocolKind() const { return m_values.protocolKind(); }
int TOptionenFormular::protocolLastRegister() const { return m_values.protocolLastRegister(); }
ProtocolSpacing TOptionenFormular::protocolSpacing() const { return m_values.protocolSpacing(); }
