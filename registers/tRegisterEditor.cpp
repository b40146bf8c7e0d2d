#include "tRegisterEditor.h"

#include "integertext.h"
#include "syntax.h"

namespace {
constexpr int KeyColumn = 0;
constexpr int ValueColumn = 1;
} // namespace

TRegisterEditor::TRegisterEditor(QWidget* owner) : QTableWidget(RegisterCount, 2, owner) {
    setHorizontalHeaderLabels({QStringLiteral("Register"), QStringLiteral("Wert")});
    for (int n = 0; n < RegisterCount; ++n) {
        auto* key = new QTableWidgetItem(QStringLiteral("R%1").arg(n));
        key->setFlags(Qt::ItemIsEnabled); // keys can be neither selected nor edited
        setItem(n, KeyColumn, key);
        setItem(n, ValueColumn, new QTableWidgetItem());
    }
    ClearRegisters();
}

QString TRegisterEditor::valueText(qint32 n) const {
    if (!IsValidRegister(n))
        return QString();
    return item(n, ValueColumn)->text();
}

void TRegisterEditor::setValueText(qint32 n, const QString& text) {
    item(n, ValueColumn)->setText(text);
    viewport()->update();
}

qint32 TRegisterEditor::ReadRegister(qint32 n) const { return parseInteger(valueText(n)); }

void TRegisterEditor::WriteRegister(qint32 n, qint32 value) {
    if (!IsValidRegister(n))
        return; // the interpreter checks every number before it writes
    LastWrittenRegister = n;
    setValueText(n, QString::number(value));
}

void TRegisterEditor::ClearRegisters() {
    for (int n = 0; n < RegisterCount; ++n) {
        setValueText(n, QStringLiteral("0"));
        SavedValues[std::size_t(n)] = 0;
    }
}

void TRegisterEditor::SaveRegisters() {
    // Stops at the first text that is not a number; the registers before it are saved.
    for (int n = 0; n < RegisterCount; ++n)
        SavedValues[std::size_t(n)] = ReadRegister(n);
}

void TRegisterEditor::RestoreRegisters() {
    for (int n = 0; n < RegisterCount; ++n)
        setValueText(n, QString::number(SavedValues[std::size_t(n)]));
}

void TRegisterEditor::SetMarkChanges(bool on) { MarkChanges = on; }
