#include "updownarrows.h"

#include <QKeyEvent>
#include <QToolButton>

namespace {
QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

UpDownArrows::UpDownArrows(qint16 minimum, qint16 maximum, qint16 position, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(qMax(minimum, maximum)),
      m_position(qBound(m_minimum, position, m_maximum)), m_up(arrowButton(Qt::UpArrow, this)),
      m_down(arrowButton(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::StrongFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { setPosition(m_position + 1); });
    connect(m_down, &QToolButton::clicked, this, [this] { setPosition(m_position - 1); });
}

void UpDownArrows::setPosition(int position) {
    const auto bounded = qint16(qBound(int(m_minimum), position, int(m_maximum)));
    if (bounded == m_position)
        return;
    m_position = bounded;
    emit positionChanged(m_position);
}

void UpDownArrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

void UpDownArrows::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        setPosition(m_position + 1);
    else if (event->key() == Qt::Key_Down)
        setPosition(m_position - 1);
    else
        QWidget::keyPressEvent(event);
}
