#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QWidget;

// Gives the main menu's shortcut keys precedence over the control that has the
// focus, in every window the menu serves. Text views claim keys such as Ctrl+C
// for themselves (ShortcutOverride); here such a key goes to the menu instead,
// and when its command is disabled the key is used up rather than reaching the
// control. Installed on the application, so it sees every key first.
class ShortcutRouter : public QObject {
    Q_OBJECT
public:
    explicit ShortcutRouter(QObject* parent = nullptr);

    void setActions(const QList<QAction*>& actions) { m_actions = actions; }
    void addWindow(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isMenuKey(const QKeyEvent* key) const;
    bool isServedWindow(const QObject* receiver) const;

    QList<QAction*> m_actions;
    QList<QPointer<QWidget>> m_windows;
};
