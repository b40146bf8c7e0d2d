#pragma once

#include <QWidget>

class QToolButton;

// Up and down arrows without an edit field. The position stays within the
// range and does not wrap; positionChanged fires only on a real change.
class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    UpDownArrows(qint16 minimum, qint16 maximum, qint16 position, QWidget* parent = nullptr);

    qint16 position() const { return m_position; }
    void setPosition(int position);
    qint16 minimum() const { return m_minimum; }
    qint16 maximum() const { return m_maximum; }

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void positionChanged(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    qint16 m_minimum;
    qint16 m_maximum;
    qint16 m_position;
    QToolButton* m_up;
    QToolButton* m_down;
};
