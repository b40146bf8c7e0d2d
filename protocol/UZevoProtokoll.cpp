#include "UZevoProtokoll.h"

#include "protocolformat.h"
#include "settings.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TProtokollFormular::TProtokollFormular(const RegisterAccess& registers, const ProgramText& program,
                                       Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_registers(registers), m_program(program), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("ProtokollFormular"));
    setWindowTitle(QStringLiteral("Protokoll"));
    ProtokollMemo = new QPlainTextEdit(this);
    ProtokollMemo->setObjectName(QStringLiteral("ProtokollMemo"));
    ProtokollMemo->setReadOnly(true);
    ProtokollMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProtokollMemo);
}

void TProtokollFormular::setSettings(const Settings* settings) { m_settings = settings; }

void TProtokollFormular::setFileNameSource(std::function<QString()> getActFileName) {
    m_fileName = std::move(getActFileName);
}

void TProtokollFormular::clearProtocol() {
    const PlainSettings defaults;
    const ProtocolLayout layout = ProtocolLayout::from(m_settings ? *m_settings : defaults);
    ProtokollMemo->setPlainText(protocolHeading(layout));
}

void TProtokollFormular::actualizeProtocol(const qint32& CurrentLine) {
    const PlainSettings defaults;
    const ProtocolLayout layout = ProtocolLayout::from(m_settings ? *m_settings : defaults);
    writeProtocolEntry(layout, m_registers, m_program, CurrentLine,
                       [this](const QString& line) { ProtokollMemo->appendPlainText(line); });
}
