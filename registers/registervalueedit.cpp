#include "registervalueedit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace {
bool isDigits(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

RegisterValueEdit::RegisterValueEdit(std::function<void()> beep, QWidget* parent)
    : QLineEdit(parent), m_beep(std::move(beep)) {
    setFrame(false);
    // Filled with the cell colour it looks the same, but a program's write into
    // the current cell then repaints the editor alone, not the window under it.
    setAutoFillBackground(true);
    // textChanged rather than textEdited: undo and redo change the text without
    // textEdited, and the register must follow them as well.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_showing)
            return;
        m_changed = true;
        emit valueTyped(text);
    });
}

void RegisterValueEdit::setEditMask(const QString& mask) {
    // Only masks of digit positions occur in the grid; the blank and literal
    // fields after the first ";" change nothing for them.
    const QString positions = mask.section(QLatin1Char(';'), 0, 0);
    bool digitsOnly = !positions.isEmpty();
    for (QChar c : positions)
        digitsOnly = digitsOnly && (c == QLatin1Char('0') || c == QLatin1Char('9'));
    m_maxDigits = digitsOnly ? int(positions.size()) : 0;
    m_requiredDigits = digitsOnly ? int(positions.count(QLatin1Char('0'))) : 0;
    if (m_maxDigits == 0) {
        setValidator(nullptr);
        return;
    }
    // Guards the paths that bypass keyPressEvent (paste, drop, input methods).
    const QRegularExpression digits(QStringLiteral("[0-9]{0,%1}").arg(m_maxDigits));
    setValidator(new QRegularExpressionValidator(digits, this));
}

void RegisterValueEdit::showValue(const QString& text) {
    m_original = text;
    m_changed = false;
    if (this->text() != text) {
        m_showing = true;
        setText(text);
        m_showing = false;
    }
}

bool RegisterValueEdit::hasRequiredDigits() const {
    return text().size() >= m_requiredDigits;
}

bool RegisterValueEdit::event(QEvent* e) {
    // Esc belongs to the cell even where a window binds it as a shortcut.
    if (e->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void RegisterValueEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        revert();
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool isCharacter = !typed.isEmpty() && typed.at(0).isPrint() &&
                             !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (isCharacter && refuses(typed)) {
        if (m_beep)
            m_beep();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void RegisterValueEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    emit focusLeft(e->reason());
}

bool RegisterValueEdit::refuses(const QString& typed) const {
    if (m_maxDigits == 0)
        return false;
    const qsizetype length = text().size() - selectedText().size() + typed.size();
    return !isDigits(typed) || length > m_maxDigits;
}

void RegisterValueEdit::revert() {
    if (text() != m_original) {
        setText(m_original); // reaches the register through textChanged
    }
    m_changed = false;
    selectAll();
}
