// The command table of the main window: menus, items, shortcuts, pictures,
// toolbar buttons, hints and the command groups that run control switches.

#include "UZevo.h"

#include "look.h"
#include "shortcutrouter.h"
#include "toolbarlayout.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

namespace {

enum Menu { Datei, Betrieb, Hilfe };

constexpr int NoPicture = -1;
constexpr int NoGroup = -1;

struct CommandEntry {
    Menu menu;
    QString caption; // empty for a separator
    const char* name;
    QKeySequence shortcut;
    int picture;
    const char* button; // null when the command has no toolbar button
    QString hint;
    void (THauptformular::*handler)();
    int group; // position in SetCommandStates' flags, or NoGroup
};

int group(CommandGroup g) {
    return int(g);
}

const std::vector<CommandEntry>& commandTable() {
    using T = THauptformular;
    using G = CommandGroup;
    namespace P = Look::Picture;
    static const std::vector<CommandEntry> table = {
        {Datei,
         QStringLiteral("Neu"),
         "Neu",
         {},
         P::Neu,
         "NewButton",
         QStringLiteral("Neu"),
         &T::NeuClick,
         group(G::New)},
        {Datei, QStringLiteral("Öffnen..."), "Oeffnen", QKeySequence(Qt::CTRL | Qt::Key_O),
         P::Oeffnen, "OpenButton", QStringLiteral("Öffnen (Strg+O)"), &T::OeffnenClick,
         group(G::Open)},
        {Datei, QStringLiteral("Speichern"), "Speichern", QKeySequence(Qt::CTRL | Qt::Key_S),
         P::Speichern, "SaveButton", QStringLiteral("Speichern (Strg+S)"), &T::SpeichernClick,
         group(G::Save)},
        {Datei,
         QStringLiteral("Speichern unter..."),
         "Speichernunter",
         {},
         NoPicture,
         nullptr,
         {},
         &T::SpeichernunterClick,
         group(G::Save)},
        {Datei,
         QStringLiteral("Drucken..."),
         "Drucken",
         {},
         P::Drucken,
         "PrintButton",
         QStringLiteral("Drucken"),
         &T::DruckenClick,
         group(G::Print)},
        {Datei, {}, "N5", {}, NoPicture, nullptr, {}, nullptr, NoGroup},
        {Datei, QStringLiteral("In die Zwischenablage kopieren"), "Kopieren",
         QKeySequence(Qt::CTRL | Qt::Key_C), P::Kopieren, "CopyButton",
         QStringLiteral("Kopieren (Strg+C)"), &T::KopierenClick, group(G::Copy)},
        {Datei, {}, "N1", {}, NoPicture, nullptr, {}, nullptr, NoGroup},
        {Datei,
         QStringLiteral("Beenden"),
         "Beenden",
         {},
         P::Beenden,
         nullptr,
         {},
         &T::BeendenClick,
         group(G::Exit)},
        {Betrieb, QStringLiteral("Einzelschritt"), "Einzelschritt", QKeySequence(Qt::Key_F5),
         P::Einzelschritt, "StepButton", QStringLiteral("Einzelschritt (F5)"),
         &T::EinzelschrittClick, group(G::Step)},
        {Betrieb, QStringLiteral("Start"), "ProgrammStart", QKeySequence(Qt::Key_F6), P::Start,
         "RunButton", QStringLiteral("Start (F6)"), &T::ProgrammStartClick, group(G::Start)},
        {Betrieb, QStringLiteral("Abbruch"), "ProgrammStop", QKeySequence(Qt::Key_F7), P::Abbruch,
         "StopButton", QStringLiteral("Abbruch (F7)"), &T::ProgrammStopClick, group(G::Stop)},
        {Betrieb, QStringLiteral("Zurücksetzen"), "ProgrammReset", QKeySequence(Qt::Key_F8),
         P::Zuruecksetzen, "ResetButton", QStringLiteral("Zurücksetzen (F8)"),
         &T::ProgrammResetClick, group(G::Reset)},
        {Betrieb, {}, "N2", {}, NoPicture, nullptr, {}, nullptr, NoGroup},
        {Betrieb,
         QStringLiteral("Register zwischenspeichern"),
         "RegisterSpeichern",
         {},
         P::RegisterSpeichern,
         "RegSaveButton",
         QStringLiteral("Register zwischenspeichern"),
         &T::RegisterSpeichernClick,
         group(G::SaveRegisters)},
        {Betrieb,
         QStringLiteral("Register wiederherstellen"),
         "RegisterLaden",
         {},
         P::RegisterLaden,
         "RegLoadButton",
         QStringLiteral("Register wiederherstellen"),
         &T::RegisterLadenClick,
         group(G::RestoreRegisters)},
        {Betrieb,
         QStringLiteral("Register löschen"),
         "RegisterClear",
         {},
         P::RegisterClear,
         "RegClearButton",
         QStringLiteral("Register löschen"),
         &T::RegisterClearClick,
         group(G::ClearRegisters)},
        {Betrieb, {}, "N3", {}, NoPicture, nullptr, {}, nullptr, NoGroup},
        {Betrieb,
         QStringLiteral("Protokoll anzeigen"),
         "Protokoll",
         QKeySequence(Qt::CTRL | Qt::Key_P),
         NoPicture,
         nullptr,
         {},
         &T::ProtokollClick,
         NoGroup},
        {Betrieb, {}, "N4", {}, NoPicture, nullptr, {}, nullptr, NoGroup},
        {Betrieb,
         QStringLiteral("Optionen"),
         "Protokolloptionen",
         {},
         P::Optionen,
         nullptr,
         {},
         &T::ProtokolloptionenClick,
         group(G::Options)},
        {Hilfe, QStringLiteral("Anleitung"), "Anleitung", QKeySequence(Qt::Key_F1), P::Anleitung,
         "HelpButton", QStringLiteral("Anleitung (F1)"), &T::AnleitungClick, group(G::Help)},
        {Hilfe,
         QStringLiteral("Info"),
         "Information",
         {},
         P::Info,
         "InfoButton",
         QStringLiteral("Info"),
         &T::InformationClick,
         group(G::Info)},
    };
    return table;
}

// Access keys are given automatically, as the platform's menus do it: the first
// letter or digit of the caption not yet taken in the same menu.
QString withAccessKey(const QString& caption, QSet<QChar>& taken) {
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toUpper();
        const bool usable = (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        if (usable && !taken.contains(c)) {
            taken.insert(c);
            return caption.left(i) + u'&' + caption.mid(i);
        }
    }
    return caption;
}

} // namespace

void THauptformular::createCommands() {
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    setMenuBar(MainMenu);

    const QString titles[] = {QStringLiteral("&Datei"), QStringLiteral("&Betrieb"),
                              QStringLiteral("&Hilfe")};
    const char* names[] = {"Datei", "Betrieb", "Hilfe"};
    QMenu* menus[3];
    QSet<QChar> taken[3];
    for (int m = 0; m < 3; ++m) {
        menus[m] = MainMenu->addMenu(titles[m]);
        menus[m]->setObjectName(QString::fromLatin1(names[m]));
        menus[m]->setFont(font()); // menus are windows of their own and inherit nothing
    }

    for (const CommandEntry& entry : commandTable()) {
        QMenu* menu = menus[entry.menu];
        QAction* action = nullptr;
        if (entry.caption.isEmpty()) {
            action = menu->addSeparator();
        } else {
            action = new QAction(withAccessKey(entry.caption, taken[entry.menu]), this);
            action->setIcon(Look::picture(entry.picture));
            if (!entry.shortcut.isEmpty()) {
                action->setShortcut(entry.shortcut);
                // Also while the protocol window or the options dialog is active.
                action->setShortcutContext(Qt::ApplicationShortcut);
            }
            if (!entry.hint.isEmpty())
                action->setToolTip(entry.hint);
            connect(action, &QAction::triggered, this, entry.handler);
            menu->addAction(action);
            addAction(action);
        }
        action->setObjectName(QString::fromLatin1(entry.name));
        m_commands.append(action);
        if (entry.group != NoGroup)
            m_groups[std::size_t(entry.group)].append(action);
    }
    QAction* protocol = command(QStringLiteral("Protokoll"));
    protocol->setCheckable(true);

    for (QAction* action : m_commands) {
        if (!action->shortcut().isEmpty())
            m_shortcutCommands.append(action);
    }
    m_router = new ShortcutRouter(this);
    m_router->setActions(m_shortcutCommands);
    m_router->addWindow(this);
    QCoreApplication::instance()->installEventFilter(m_router);
}

void THauptformular::createToolBar() {
    ToolBar = new QToolBar(centralWidget());
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setFocusPolicy(Qt::NoFocus);
    // The buttons are placed by hand at fixed edges, not by the toolbar's layout.
    int divider = 0;
    for (const ToolBarLayout::Item& item : ToolBarLayout::Items) {
        if (!item.button) {
            auto* space = new QFrame(ToolBar);
            space->setFrameShape(QFrame::VLine);
            space->setFrameShadow(QFrame::Sunken);
            space->setObjectName(divider == 0 ? QStringLiteral("SpaceToolButton")
                                              : QStringLiteral("SpaceToolButton%1").arg(divider));
            ++divider;
            m_toolBarItems.append(space);
            continue;
        }
        const CommandEntry* entry = nullptr;
        for (const CommandEntry& e : commandTable()) {
            if (e.button && qstrcmp(e.button, item.button) == 0)
                entry = &e;
        }
        Q_ASSERT(entry);
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(QString::fromLatin1(item.button));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(16, 16));
        // The button shares its menu item's action: same handler, same enabled
        // state, and the action's tooltip is the hint.
        button->setDefaultAction(command(QString::fromLatin1(entry->name)));
        m_toolBarItems.append(button);
    }
}

QAction* THauptformular::command(const QString& name) const {
    for (QAction* action : m_commands) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

void THauptformular::SetCommandStates(const CommandFlags& flags) {
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        for (QAction* action : m_groups[g])
            action->setEnabled(flags[g]);
    }
}
