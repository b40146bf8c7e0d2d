#pragma once

#include "registeraccess.h"

#include <QTableWidget>
#include <array>

// The register grid of the main window. Its value texts are the one store of
// the registers R0..R50: every read converts the text anew, every write replaces
// it. Row n holds register n; the keys "R0".."R50" never change.
class TRegisterEditor : public QTableWidget, public RegisterAccess {
    Q_OBJECT
public:
    explicit TRegisterEditor(QWidget* owner = nullptr);

    qint32 ReadRegister(qint32 n) const override;
    void WriteRegister(qint32 n, qint32 value) override;
    void ClearRegisters();
    void SaveRegisters();
    void RestoreRegisters();
    void SetMarkChanges(bool on);

    // The value text of register n as it stands (empty outside 0..50).
    QString valueText(qint32 n) const;

    std::array<qint32, 51> SavedValues{};
    qint32 LastWrittenRegister = 0;
    bool MarkChanges = false;

private:
    // Replaces a value text and repaints the whole grid, so the mark follows at once.
    void setValueText(qint32 n, const QString& text);
};
