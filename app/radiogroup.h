#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons laid out in equal columns, one item
// always selected. itemIndexChanged fires only when another item is selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const;

signals:
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeItems();

    QButtonGroup* m_group;
    QList<QRadioButton*> m_items;
    int m_columns;
};
