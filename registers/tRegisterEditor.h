#pragma once

#include "registeraccess.h"
#include "registervalueedit.h"
#include "syntax.h"

#include <QPointer>
#include <QStringList>
#include <QTableWidget>
#include <array>
#include <optional>

class Dialogs;

// The register grid of the main window. Its value texts are the one store of
// the registers R0..R50: every read converts the text anew, every write replaces
// it. Row n holds register n; the keys "R0".."R50" never change.
//
// The current cell is always a value cell and always shows its editor, so the
// user types straight into the register. The key of the register written last
// is marked while MarkChanges is on.
class TRegisterEditor : public QTableWidget, public RegisterAccess {
    Q_OBJECT
public:
    static constexpr int KeyColumn = 0;
    static constexpr int ValueColumn = 1;

    explicit TRegisterEditor(QWidget* owner = nullptr);
    ~TRegisterEditor() override;

    qint32 ReadRegister(qint32 n) const override;
    void WriteRegister(qint32 n, qint32 value) override;
    void ClearRegisters();
    void SaveRegisters();
    void RestoreRegisters();
    void SetMarkChanges(bool on);
    // Gives every register's value cell the mask of the typed register values.
    void SetRegisterEditMasks();

    // The value text of register n as it stands (empty outside 0..50).
    QString valueText(qint32 n) const;
    QString editMask(qint32 n) const { return m_editMasks.value(n); }

    // Beeps and the message for an incomplete entry go here; until it is set
    // the grid stays silent.
    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }
    // The editor of the current cell (never null once the grid exists).
    RegisterValueEdit* currentEditor() const { return m_editor; }
    // Whether the user is typing in a cell: its editor holds the focus of the window.
    bool isEditingCell() const;
    // A command that would take the focus from the edited cell asks first:
    // false (after the beep and the message) while the cell holds an
    // incomplete entry, so the command ends before it changes anything.
    bool mayTakeFocusFromCell();

    // Used by the cell editors.
    void beep();
    void takeTypedValue(qint32 n, const QString& text);

    std::array<qint32, 51> SavedValues{};
    qint32 LastWrittenRegister = 0;
    bool MarkChanges = false;

signals:
    // The user clicked into the cells or moved the current cell with the keyboard.
    void registerEditorClicked();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void keyboardSearch(const QString& search) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* e) override;

private:
    void setupView();
    // The key column wide enough for its heading and "R50" in the font in use.
    void fitKeyColumn();
    // Repaints the key cell of register n (where the mark may appear or vanish).
    void updateKeyCell(qint32 n);
    void openEditor(int row);
    bool focusInside() const;
    // False (after telling the user) while the edited cell lacks its required digits.
    bool mayLeaveCurrentCell();
    void editorLostFocus(Qt::FocusReason reason);
    void reportIncompleteEntry();

    // Each register's value as last read from its text, so that a run's
    // protocol line does not convert all 51 texts on every step. Every change
    // of a cell's data is reported by the model and drops its value.
    mutable std::array<std::optional<qint32>, RegisterCount> m_readValues;

    QStringList m_editMasks;
    QPointer<RegisterValueEdit> m_editor;
    int m_editorRow = -1;
    Dialogs* m_dialogs = nullptr;
};
