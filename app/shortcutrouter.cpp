#include "shortcutrouter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ShortcutRouter::ShortcutRouter(QObject* parent) : QObject(parent) {}

void ShortcutRouter::addWindow(QWidget* window) {
    if (window && !m_windows.contains(window))
        m_windows.append(window);
}

bool ShortcutRouter::isMenuKey(const QKeyEvent* key) const {
    if (key->key() == Qt::Key_unknown || key->key() == 0)
        return false;
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QAction* action : m_actions) {
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch)
                return true;
        }
    }
    return false;
}

bool ShortcutRouter::isServedWindow(const QObject* receiver) const {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    for (const QPointer<QWidget>& served : m_windows) {
        if (served == window)
            return true;
    }
    return false;
}

bool ShortcutRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isMenuKey(key))
        return QObject::eventFilter(watched, event);
    if (!isServedWindow(watched)) {
        // Another window of ours (the help viewer) keeps its own keys: Ctrl+C
        // copies its text there, and F5 must not run steps unseen behind it.
        // F1, the help key, works everywhere. Menus and other popups are left
        // as they are.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        const bool ownWindow = widget && widget->window()->windowType() != Qt::Popup;
        if (ownWindow && type == QEvent::ShortcutOverride && key->key() != Qt::Key_F1) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
    if (type == QEvent::ShortcutOverride) {
        // Not claimed by the control: the shortcut map runs the command if it is enabled.
        event->ignore();
    } else {
        // Only a disabled command's key gets here; it must not reach the control.
        event->accept();
    }
    return true;
}
