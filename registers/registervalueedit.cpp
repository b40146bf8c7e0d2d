#include "registervalueedit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace {
bool isDigits(QStringView text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

// Judges each change by what it inserts, not by the whole text: a program may
// have written a text the mask would never let through ("-5", eleven
// characters), and the user may still delete from it or add digits to it, but
// nothing else. Every way of changing the text passes here (typing, paste,
// drop, input methods), and a refused change is undone by the line edit.
//
// Undo and redo only go back to texts the editor has held, and must always
// pass: the line edit undoes a refused change only while it takes the text
// before it for valid, so one refusal it cannot undo would let the next
// invalid change through.
class RegisterValueEdit::MaskValidator : public QValidator {
public:
    explicit MaskValidator(RegisterValueEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int&) const override {
        if (m_edit->m_held.contains(input))
            return Acceptable;
        const QString& before = m_edit->m_accepted;
        qsizetype prefix = 0;
        while (prefix < before.size() && prefix < input.size() && before[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < before.size() - prefix && suffix < input.size() - prefix &&
               before[before.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        const QStringView inserted =
            QStringView(input).sliced(prefix, input.size() - prefix - suffix);
        if (inserted.isEmpty())
            return Acceptable;
        if (isDigits(inserted) && input.size() <= m_edit->m_positions.size())
            return Acceptable;
        if (m_edit->m_beep)
            m_edit->m_beep();
        return Invalid;
    }

private:
    RegisterValueEdit* m_edit;
};

RegisterValueEdit::RegisterValueEdit(std::function<void()> beep, QWidget* parent)
    : QLineEdit(parent), m_beep(std::move(beep)) {
    setFrame(false);
    // Filled with the cell colour it looks the same, but a program's write into
    // the current cell then repaints the editor alone, not the window under it.
    setAutoFillBackground(true);
    // textChanged rather than textEdited: undo and redo change the text without
    // textEdited, and the register must follow them as well.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_accepted = text;
        m_held.insert(text);
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
    m_positions = digitsOnly ? positions : QString();
    m_accepted = text();
    m_held = {m_accepted};
    setValidator(m_positions.isEmpty() ? nullptr : new MaskValidator(this));
}

void RegisterValueEdit::showValue(const QString& text) {
    m_editStart = text;
    m_changed = false;
    if (this->text() != text) {
        m_showing = true;
        setTextQuietly(text);
        m_showing = false;
    }
}

void RegisterValueEdit::setTextQuietly(const QString& text) {
    // A text set from outside is no insertion to judge, and it ends the undo
    // history of the line edit.
    m_accepted = text;
    m_held = {text};
    setText(text);
}

bool RegisterValueEdit::hasRequiredDigits() const {
    const QString value = text();
    for (qsizetype i = 0; i < m_positions.size(); ++i) {
        const bool required = m_positions[i] == QLatin1Char('0');
        if (required && (i >= value.size() || !isDigits(QStringView(value).sliced(i, 1))))
            return false;
    }
    return true;
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
    QLineEdit::keyPressEvent(e);
}

void RegisterValueEdit::focusInEvent(QFocusEvent* e) {
    // The cursor coming back into the cell begins a new editing, unless the
    // cell still waits for its missing digit (Esc must then reach the text
    // before the incomplete one) or the focus only returns from another
    // window or a menu.
    const Qt::FocusReason reason = e->reason();
    const bool entering = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                          hasRequiredDigits();
    if (entering) {
        m_editStart = text();
        m_changed = false;
    }
    QLineEdit::focusInEvent(e);
    if (entering && reason == Qt::MouseFocusReason)
        enteredByClick();
}

// Entering the cell by a click selects its whole text, as every other way in
// does, so typing replaces the value. The press that brought the focus would
// put the caret at the mouse instead; it is the press delivered right after
// this focus change, so the claim on it ends with the current event.
void RegisterValueEdit::enteredByClick() {
    selectAll();
    m_pressSelectsAll = true;
    QMetaObject::invokeMethod(
        this, [this] { m_pressSelectsAll = false; }, Qt::QueuedConnection);
}

void RegisterValueEdit::mousePressEvent(QMouseEvent* e) {
    if (m_pressSelectsAll && e->button() == Qt::LeftButton) {
        m_pressSelectsAll = false;
        m_holdSelection = true;
        selectAll();
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void RegisterValueEdit::mouseMoveEvent(QMouseEvent* e) {
    if (m_holdSelection) {
        e->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void RegisterValueEdit::mouseReleaseEvent(QMouseEvent* e) {
    if (m_holdSelection) {
        m_holdSelection = false;
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void RegisterValueEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    emit focusLeft(e->reason());
}

void RegisterValueEdit::revert() {
    if (text() != m_editStart)
        setTextQuietly(m_editStart); // reaches the register through textChanged
    m_changed = false;
    selectAll();
}
