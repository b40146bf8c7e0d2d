#include "labelglyphpainter.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QTextDocument>

LabelGlyphPainter::LabelGlyphPainter(QLabel* label) : QObject(label) {}

void LabelGlyphPainter::install(QLabel* label) {
    label->installEventFilter(new LabelGlyphPainter(label));
}

bool LabelGlyphPainter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint)
        return false;
    auto* label = qobject_cast<QLabel*>(watched);
    return label && paint(*label);
}

bool LabelGlyphPainter::paint(QLabel& label) {
    const QString text = label.text();
    const bool plain = label.textFormat() == Qt::PlainText ||
                       (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(text));
    if (text.isEmpty() || !plain || text.contains(u'\n') || text.contains(u'&') ||
        label.alignment() != Qt::AlignCenter || label.wordWrap() || label.margin() != 0 ||
        label.indent() > 0 || label.contentsRect() != label.rect() || !label.isEnabled() ||
        label.layoutDirection() != Qt::LeftToRight || text.isRightToLeft() ||
        !label.pixmap().isNull() || !label.picture().isNull() || label.movie())
        return false;
    // What the label's style does: the text in the label's foreground colour.
    QStyleOption option;
    option.initFrom(&label);
    QPainter painter(&label);
    painter.setPen(QPen(option.palette.brush(label.foregroundRole()), painter.pen().widthF()));
    m_shapes.drawCentred(painter, label.rect(), text);
    return true;
}
