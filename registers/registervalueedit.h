#pragma once

#include <QLineEdit>
#include <QSet>
#include <functional>

// The cell editor of a register value. It applies the row's edit mask while the
// user types: a mask of digit positions ("0" required, "9" optional) refuses any
// other character and any character beyond its length with a beep. Every change
// of the text is reported at once through valueTyped, so the register follows the
// typing; Esc brings back the text the cell had when this editing began.
class RegisterValueEdit : public QLineEdit {
    Q_OBJECT
public:
    RegisterValueEdit(std::function<void()> beep, QWidget* parent = nullptr);

    // An empty mask (or one this editor does not understand) accepts any text.
    void setEditMask(const QString& mask);

    // Shows a text that came from the register file: it becomes the text Esc
    // brings back, and the editor counts as unchanged again.
    void showValue(const QString& text);

    // True when the user changed the text since it was last shown or restored.
    bool isChanged() const { return m_changed; }
    // True when every required position of the mask holds a digit (always without a mask).
    bool hasRequiredDigits() const;

signals:
    void valueTyped(const QString& text);
    void focusLeft(Qt::FocusReason reason);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    class MaskValidator;
    void setTextQuietly(const QString& text);
    void revert();
    void enteredByClick();

    std::function<void()> m_beep;
    QString m_editStart;  // what Esc brings back
    QString m_accepted;   // the text before the change being validated
    QSet<QString> m_held; // the texts since the last one set from outside
    bool m_changed = false;
    bool m_showing = false;         // a text from the register file is being shown
    QString m_positions;            // the mask's digit positions; empty: no mask
    bool m_pressSelectsAll = false; // the click that entered the cell is on its way
    bool m_holdSelection = false;   // until that click's release
};
