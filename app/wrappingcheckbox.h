#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto further lines within its width, as a
// long caption in a narrow, tall box needs to.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
