#include "wrappingcheckbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The style draws the box alone; the caption is drawn wrapped beside it.
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_CheckBox, option);
    option.text = caption;
    const QRect contents = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(contents, flags, option.palette, isEnabled(), caption,
                         QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(contents, flags, caption).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
