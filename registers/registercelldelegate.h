#pragma once

#include "shapedtext.h"

#include <QStyledItemDelegate>

class TRegisterEditor;

// Draws the cells of the register grid and makes its value editors. The drawing
// is done by hand rather than through the style: a run repaints cells after
// every register write, so a cell must be cheap to draw.
class RegisterCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RegisterCellDelegate(TRegisterEditor* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // The editors handle their own keys and focus; the grid decides when they close.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TRegisterEditor* m_grid;
    // Keys never change and values repeat: each text is shaped once.
    mutable ShapedTextCache m_shapes;
};
