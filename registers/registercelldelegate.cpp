#include "registercelldelegate.h"

#include "registervalueedit.h"
#include "tRegisterEditor.h"

#include <QPainter>

namespace {
const QColor MarkColor(192, 192, 192);
} // namespace

RegisterCellDelegate::RegisterCellDelegate(TRegisterEditor* grid)
    : QStyledItemDelegate(grid), m_grid(grid) {}

void RegisterCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QRect cell = option.rect;
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->fillRect(cell, option.palette.brush(QPalette::Base));
    painter->setPen(option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    m_shapes.drawInRect(*painter, cell.adjusted(2, 2, 0, 0), text);

    // The register written last: its key on silver, one pixel higher than the others.
    if (index.column() == TRegisterEditor::KeyColumn && m_grid->MarkChanges &&
        index.row() == m_grid->LastWrittenRegister) {
        painter->fillRect(cell, MarkColor);
        m_shapes.drawInRect(*painter, cell.adjusted(2, 1, 0, 0),
                            QStringLiteral("R%1").arg(m_grid->LastWrittenRegister));
    }
}

QWidget* RegisterCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    auto* edit = new RegisterValueEdit([grid = m_grid] { grid->beep(); }, parent);
    edit->setEditMask(m_grid->editMask(index.row()));
    const int row = index.row();
    connect(edit, &RegisterValueEdit::valueTyped, m_grid,
            [grid = m_grid, row](const QString& text) { grid->takeTypedValue(row, text); });
    return edit;
}

void RegisterCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = static_cast<RegisterValueEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // The echo of the user's own typing leaves the editor (and its Esc text) alone.
    if (edit->text() != text || !edit->isChanged())
        edit->showValue(text);
}

void RegisterCellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {
    // Nothing to commit: the register already follows every keystroke.
}

void RegisterCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

bool RegisterCellDelegate::eventFilter(QObject*, QEvent*) {
    return false;
}
