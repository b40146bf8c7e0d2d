#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)), m_columns(qMax(1, columns)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        m_items.append(button);
    }
    if (!m_items.isEmpty())
        m_items.first()->setChecked(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
    placeItems();
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QRadioButton* button = item(index))
        button->setChecked(true);
}

QRadioButton* RadioGroup::item(int index) const {
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    placeItems();
}

void RadioGroup::placeItems() {
    if (m_items.isEmpty())
        return;
    // Items share the space below the caption evenly, filled column by column.
    const int rows = int((m_items.size() + m_columns - 1) / m_columns);
    const int top = fontMetrics().height() + 2;
    const int left = 8;
    const int columnWidth = (width() - 2 * left) / m_columns;
    const int rowHeight = qMax(1, (height() - top - 4) / rows);
    for (int i = 0; i < m_items.size(); ++i) {
        const int column = i / rows;
        const int row = i % rows;
        // No wider than its caption, so that a click beside the caption misses it.
        const int width = qMin(columnWidth, m_items[i]->sizeHint().width());
        m_items[i]->setGeometry(left + column * columnWidth, top + row * rowHeight, width,
                                rowHeight);
    }
}
