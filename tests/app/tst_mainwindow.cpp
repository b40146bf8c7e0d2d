#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "applicationsetup.h"
#include "fakedialogs.h"
#include "helpviewer.h"
#include "look.h"
#include "protocolview.h"
#include "qtdialogs.h"
#include "screenfit.h"
#include "tRegisterEditor.h"

#include <QDir>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

// The main window with the clocked wait replaced: no real time passes, and a
// test can act at a given wait, as a user would during a run.
class TestWindow : public THauptformular {
public:
    using THauptformular::THauptformular;
    void sleep10ms() override {
        ++sleeps;
        if (onSleep)
            onSleep(sleeps);
    }
    int sleeps = 0;
    std::function<void(int)> onSleep;
};

// The three windows as main() builds them, the main window shown and active.
struct Application {
    FakeDialogs dialogs;
    TestWindow window{dialogs};
    TProtokollFormular protocol{dialogs};
    TOptionenFormular options;

    Application() {
        window.attach(protocol, options);
        window.show();
        activate(&window);
    }
    static void activate(QWidget* w) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    QAction* item(const char* name) const { return window.command(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) const {
        return window.findChild<QToolButton*>(QString::fromLatin1(name));
    }
    bool enabled(const char* name) const { return item(name)->isEnabled(); }
    void typeProgram(const QStringList& lines) {
        window.ProgramMemo->setFocus();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(window.ProgramMemo, Qt::Key_Return);
            QTest::keyClicks(window.ProgramMemo, lines[i]);
        }
    }
    QStringList boxes() const {
        QStringList result;
        for (const QString& entry : dialogs.log) {
            if (entry.startsWith(QLatin1String("information:")) ||
                entry.startsWith(QLatin1String("error:")))
                result << entry;
        }
        return result;
    }
};

QString plain(const QString& caption) {
    QString text = caption;
    return text.remove(u'&');
}

const QStringList RunItems = {"ProgrammStart", "ProgrammStop", "Einzelschritt"};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    // The rate as the window shows it, with the user's decimal separator
    // (a comma where the machine says nothing, as on a bare Linux session).
    static QString rate(const char* text) {
        return QString::fromLatin1(text).replace(u',', userNumberLocale().decimalPoint());
    }

private slots:
    void startUpState() {
        Application app;
        THauptformular& w = app.window;
        QCOMPARE(w.objectName(), QStringLiteral("Hauptformular"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Zevo 1.0"));
        QCOMPARE(w.StepsLabel->text(), QStringLiteral("0"));
        QCOMPARE(w.TaktrateLabel->text(), rate("1,0 Hz  "));
        QCOMPARE(w.TaktrateTrackBar->value(), 690);
        QCOMPARE(w.TaktrateTrackBar->minimum(), 110);
        QCOMPARE(w.TaktrateTrackBar->maximum(), 4615);
        QCOMPARE(w.TaktrateTrackBar->tickInterval(), 100);
        QCOMPARE(w.TaktrateTrackBar->tickPosition(), QSlider::TicksBelow);
        QCOMPARE(w.runControl().run().CurrentLine, 0);
        QVERIFY(w.ProgramMemo->toPlainText().isEmpty());
        QCOMPARE(w.RegisterEditor->valueText(50), QStringLiteral("0"));
        QVERIFY(w.RegisterEditor->MarkChanges);
        QCOMPARE(QApplication::focusWidget(), w.ProgramMemo);
        QVERIFY(!app.protocol.isVisible());
        QVERIFY(!app.options.isVisible());
        QVERIFY(!app.item("Protokoll")->isChecked());

        // Stopped: everything but the three run commands.
        for (QAction* action : w.commands()) {
            if (action->isSeparator())
                continue;
            QCOMPARE(action->isEnabled(), !RunItems.contains(action->objectName()));
        }

        const QList<QPair<QString, QString>> boxes = {{"QuellcodeGroupBox", "Quellcode:"},
                                                      {"BelegungGroupBox", "Registerbelegung:"},
                                                      {"TaktrateGroupBox", "Taktrate:"},
                                                      {"SchritteGroupBox", "Schritte:"}};
        for (const auto& [name, title] : boxes)
            QCOMPARE(w.findChild<QGroupBox*>(name)->title(), title);
        for (const char* name :
             {"ProgramMemo", "RegisterEditor", "TaktrateTrackBar", "TaktrateLabel", "StepsLabel",
              "ToolBar", "MainMenu", "SpaceToolButton", "SpaceToolButton1", "SpaceToolButton2",
              "SpaceToolButton3"})
            QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)), name);
        QCOMPARE(w.ProgramMemo->parentWidget(), w.QuellcodeGroupBox);
    }

    // Focus order editor, grid, slider; the toolbar takes none.
    void focusOrder() {
        Application app;
        THauptformular& w = app.window;
        // The next control that takes the focus by Tab, outside the given one.
        const auto next = [&w](QWidget* from) {
            QWidget* c = from->nextInFocusChain();
            while (c != from && (from->isAncestorOf(c) || !(c->focusPolicy() & Qt::TabFocus) ||
                                 !c->isVisibleTo(&w) || !c->isEnabled()))
                c = c->nextInFocusChain();
            return c;
        };
        QWidget* afterEditor = next(w.ProgramMemo);
        QVERIFY(afterEditor == w.RegisterEditor || w.RegisterEditor->isAncestorOf(afterEditor));
        QCOMPARE(next(w.RegisterEditor), w.TaktrateTrackBar);
        for (QToolButton* b : w.ToolBar->findChildren<QToolButton*>())
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }

    void commandTable_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        const auto row = [](const char* menu, const char* name, const QString& caption,
                            QKeySequence key, const char* button, const QString& hint) {
            QTest::newRow(name) << menu << name << caption << key << button << hint;
        };
        using K = QKeySequence;
        row("Datei", "Neu", "Neu", {}, "NewButton", "Neu");
        row("Datei", "Oeffnen", "Öffnen...", K(Qt::CTRL | Qt::Key_O), "OpenButton",
            "Öffnen (Strg+O)");
        row("Datei", "Speichern", "Speichern", K(Qt::CTRL | Qt::Key_S), "SaveButton",
            "Speichern (Strg+S)");
        row("Datei", "Speichernunter", "Speichern unter...", {}, "", "");
        row("Datei", "Drucken", "Drucken...", {}, "PrintButton", "Drucken");
        row("Datei", "Kopieren", "In die Zwischenablage kopieren", K(Qt::CTRL | Qt::Key_C),
            "CopyButton", "Kopieren (Strg+C)");
        row("Datei", "Beenden", "Beenden", {}, "", "");
        row("Betrieb", "Einzelschritt", "Einzelschritt", K(Qt::Key_F5), "StepButton",
            "Einzelschritt (F5)");
        row("Betrieb", "ProgrammStart", "Start", K(Qt::Key_F6), "RunButton", "Start (F6)");
        row("Betrieb", "ProgrammStop", "Abbruch", K(Qt::Key_F7), "StopButton", "Abbruch (F7)");
        row("Betrieb", "ProgrammReset", "Zurücksetzen", K(Qt::Key_F8), "ResetButton",
            "Zurücksetzen (F8)");
        row("Betrieb", "RegisterSpeichern", "Register zwischenspeichern", {}, "RegSaveButton",
            "Register zwischenspeichern");
        row("Betrieb", "RegisterLaden", "Register wiederherstellen", {}, "RegLoadButton",
            "Register wiederherstellen");
        row("Betrieb", "RegisterClear", "Register löschen", {}, "RegClearButton",
            "Register löschen");
        row("Betrieb", "Protokoll", "Protokoll anzeigen", K(Qt::CTRL | Qt::Key_P), "", "");
        row("Betrieb", "Protokolloptionen", "Optionen", {}, "", "");
        row("Hilfe", "Anleitung", "Anleitung", K(Qt::Key_F1), "HelpButton", "Anleitung (F1)");
        row("Hilfe", "Information", "Info", {}, "InfoButton", "Info");
    }
    void commandTable() {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, button);
        QFETCH(QString, hint);
        Application app;
        QAction* action = app.window.command(name);
        QVERIFY(action);
        QCOMPARE(plain(action->text()), caption);
        QCOMPARE(action->shortcut(), shortcut);
        auto* m = app.window.MainMenu->findChild<QMenu*>(menu);
        QVERIFY(m && m->actions().contains(action));
        QToolButton* b = button.isEmpty() ? nullptr : app.window.findChild<QToolButton*>(button);
        QCOMPARE(b != nullptr, !button.isEmpty());
        if (b) {
            QCOMPARE(b->defaultAction(), action);
            QCOMPARE(b->toolTip(), hint);
            QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
    }

    // Each menu's items have access keys of their own; the menus carry D, B and H.
    void menusAndAccessKeys() {
        Application app;
        QStringList titles;
        for (QAction* m : app.window.MainMenu->actions())
            titles << m->text();
        QCOMPARE(titles, (QStringList{"&Datei", "&Betrieb", "&Hilfe"}));
        const QStringList separators = {"N5", "N1", "N2", "N3", "N4"};
        for (QAction* m : app.window.MainMenu->actions()) {
            QSet<QChar> keys;
            int items = 0;
            for (QAction* a : m->menu()->actions()) {
                if (a->isSeparator()) {
                    QVERIFY(separators.contains(a->objectName()));
                    continue;
                }
                const qsizetype amp = a->text().indexOf(u'&');
                QVERIFY2(amp >= 0 && amp + 1 < a->text().size(), qPrintable(a->text()));
                const QChar key = a->text()[amp + 1].toUpper();
                QVERIFY2(!keys.contains(key), qPrintable(a->text()));
                keys.insert(key);
                ++items;
            }
            QVERIFY(items > 0);
        }
    }

    // The 16 groups of SetCommandStates, each switched alone: its menu items and
    // buttons follow, nothing else does, and "Protokoll anzeigen" never changes.
    void commandGroups_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("buttons");
        const auto row = [](CommandGroup g, QStringList items, QStringList buttons) {
            QTest::newRow(qPrintable(items.first())) << int(g) << items << buttons;
        };
        using G = CommandGroup;
        row(G::New, {"Neu"}, {"NewButton"});
        row(G::Open, {"Oeffnen"}, {"OpenButton"});
        row(G::Save, {"Speichern", "Speichernunter"}, {"SaveButton"});
        row(G::Print, {"Drucken"}, {"PrintButton"});
        row(G::Copy, {"Kopieren"}, {"CopyButton"});
        row(G::Exit, {"Beenden"}, {});
        row(G::Start, {"ProgrammStart"}, {"RunButton"});
        row(G::Stop, {"ProgrammStop"}, {"StopButton"});
        row(G::Step, {"Einzelschritt"}, {"StepButton"});
        row(G::Reset, {"ProgrammReset"}, {"ResetButton"});
        row(G::SaveRegisters, {"RegisterSpeichern"}, {"RegSaveButton"});
        row(G::RestoreRegisters, {"RegisterLaden"}, {"RegLoadButton"});
        row(G::ClearRegisters, {"RegisterClear"}, {"RegClearButton"});
        row(G::Options, {"Protokolloptionen"}, {});
        row(G::Help, {"Anleitung"}, {"HelpButton"});
        row(G::Info, {"Information"}, {"InfoButton"});
    }
    void commandGroups() {
        QFETCH(int, group);
        QFETCH(QStringList, items);
        QFETCH(QStringList, buttons);
        Application app;
        for (bool on : {false, true}) {
            CommandFlags flags;
            flags.fill(!on);
            flags[std::size_t(group)] = on;
            app.window.SetCommandStates(flags);
            for (QAction* a : app.window.commands()) {
                if (a->isSeparator())
                    continue;
                const bool expected = a->objectName() == QLatin1String("Protokoll") ||
                                      (items.contains(a->objectName()) ? on : !on);
                QCOMPARE(a->isEnabled(), expected);
            }
            for (QToolButton* b : app.window.ToolBar->findChildren<QToolButton*>()) {
                if (!b->defaultAction())
                    continue; // the toolbar's own extension button
                const bool expected = buttons.contains(b->objectName()) ? on : !on;
                QCOMPARE(b->isEnabled(), expected);
            }
        }
    }

    // Clicking a button is its menu item: the same handler runs.
    void toolbarButtonsRunTheirCommands() {
        Application app;
        QTest::mouseClick(app.button("InfoButton"), Qt::LeftButton);
        QTest::mouseClick(app.button("HelpButton"), Qt::LeftButton);
        app.item("Information")->trigger();
        QCOMPARE(app.dialogs.log, (QStringList{"help:5", "help:contents", "help:5"}));
    }

    // F1 reaches "Anleitung" from every control of the main window and from the
    // two other windows; while the command is disabled it does nothing.
    void helpKeyFromEveryWindow() {
        Application app;
        for (QWidget* target : QList<QWidget*>{app.window.ProgramMemo, app.window.RegisterEditor,
                                               app.window.TaktrateTrackBar}) {
            target->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        }
        QCOMPARE(app.dialogs.log.count("help:contents"), 3);

        app.protocol.show();
        Application::activate(&app.protocol);
        QTest::keyClick(app.protocol.ProtokollMemo, Qt::Key_F1);
        QCOMPARE(app.dialogs.log.count("help:contents"), 4);

        app.options.show();
        Application::activate(&app.options);
        QTest::keyClick(&app.options, Qt::Key_F1);
        QCOMPARE(app.dialogs.log.count("help:contents"), 5);

        Application::activate(&app.window);
        app.item("Anleitung")->setEnabled(false);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F1);
        QCOMPARE(app.dialogs.log.count("help:contents"), 5);
    }

    // Ctrl+C belongs to the menu: enabled it copies the whole program, disabled
    // it copies nothing, not even the editor's selection.
    void copyKeyGoesToTheMenu() {
        Application app;
        app.typeProgram({"10 cload 1", "20 end"});
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("vorher"));
        QTextCursor cursor = app.window.ProgramMemo->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor); // "10" selected
        app.window.ProgramMemo->setTextCursor(cursor);

        app.item("Kopieren")->setEnabled(false);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("vorher"));

        app.item("Kopieren")->setEnabled(true);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("10 cload 1\r\n20 end"));
    }

    // Another window of ours (the help viewer) keeps its own keys: Ctrl+C
    // copies its selection, and F5 runs no step behind it. F1 still helps.
    void helpWindowKeepsItsOwnKeys() {
        Application app;
        app.typeProgram({"10 cload 1", "20 end"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QTextBrowser help;
        help.setPlainText(QStringLiteral("Hilfetext"));
        help.show();
        Application::activate(&help);
        help.setFocus();
        help.selectAll();
        QTest::keyClick(&help, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Hilfetext"));
        QTest::keyClick(&help, Qt::Key_F5);
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("0"));
        QTest::keyClick(&help, Qt::Key_F1);
        QCOMPARE(app.dialogs.log.last(), QStringLiteral("help:contents"));
    }

    // In the protocol window Ctrl+C runs the main window's copy of the program
    // and never copies from the protocol view; disabled, it is used up.
    void copyKeyInTheProtocolWindow() {
        Application app;
        app.typeProgram({"10 end"});
        app.window.ProgrammResetClick();
        app.window.ProtokollClick();
        Application::activate(&app.protocol);
        app.protocol.ProtokollMemo->setFocus();
        app.protocol.ProtokollMemo->selectAll();
        QClipboard* clipboard = QGuiApplication::clipboard();

        clipboard->setText(QStringLiteral("vorher"));
        app.item("Kopieren")->setEnabled(false);
        QTest::keyClick(app.protocol.ProtokollMemo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("vorher"));

        app.item("Kopieren")->setEnabled(true);
        QTest::keyClick(app.protocol.ProtokollMemo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("10 end"));
    }

    // The key of a disabled command reaches no control either: F5 and F6 at
    // start-up leave the editor untouched and run nothing.
    void disabledRunKeysDoNothing() {
        Application app;
        app.typeProgram({"10 cload 1", "20 end"});
        const QString before = app.window.ProgramMemo->toPlainText();
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F5);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F6);
        QCOMPARE(app.window.ProgramMemo->toPlainText(), before);
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("0"));
        QVERIFY(app.boxes().isEmpty());
    }

    // Ctrl+P shows the protocol window from the main window and hides it from
    // the protocol window itself; the check mark follows.
    void protocolKey() {
        Application app;
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(app.protocol.isVisible());
        QVERIFY(app.item("Protokoll")->isChecked());
        Application::activate(&app.protocol);
        QTest::keyClick(app.protocol.ProtokollMemo, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!app.protocol.isVisible());
        QVERIFY(!app.item("Protokoll")->isChecked());
        // Hidden by the user: the check mark goes too.
        app.window.ProtokollClick();
        QVERIFY(app.protocol.isVisible());
        emit app.protocol.hiddenByUser();
        QVERIFY(!app.item("Protokoll")->isChecked());
    }

    void optionsCommandShowsTheDialog() {
        Application app;
        app.item("Protokolloptionen")->trigger();
        QVERIFY(app.options.isVisible());
        QVERIFY(!app.options.isModal());
    }

    // A failure inside a handler reaches the one error display, completed by a
    // full stop; the application goes on.
    void handlerFailureReachesTheErrorDisplay() {
        Application app;
        app.window.RegisterEditor->item(3, TRegisterEditor::ValueColumn)->setText("x");
        app.window.RegisterSpeichernClick();
        QCOMPARE(app.dialogs.log, (QStringList{"showError:'x' ist kein gültiger Integerwert."}));
    }

    // "zevo aufgabe.rmp": the file is opened as "Öffnen..." opens it, without
    // the dialog; a file that cannot be read gets the usual box over the empty window.
    void startUpWithAFile_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("readable") << true;
        QTest::newRow("missing") << false;
    }
    void startUpWithAFile() {
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("aufgabe.rmp"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("10 cload 5\n20 end\n");
        }
        Application app;
        app.window.openAtStartUp(path);
        if (exists) {
            QTRY_COMPARE(app.window.windowTitle(), QStringLiteral("Zevo 1.0 (aufgabe.rmp)"));
            QCOMPARE(app.window.ProgramMemo->wholeText(),
                     QStringLiteral("10 cload 5\r\n20 end\r\n"));
            QCOMPARE(app.window.getActFileName(), path);
            QVERIFY(app.enabled("Einzelschritt")); // reset, ready to run
            QCOMPARE(app.dialogs.log, QStringList{});
        } else {
            QTRY_COMPARE(app.dialogs.log,
                         QStringList{"showError:Datei " + QDir::toNativeSeparators(path) +
                                     " kann nicht geöffnet werden."});
            QCOMPARE(app.window.windowTitle(), QStringLiteral("Zevo 1.0"));
            QCOMPARE(app.window.ProgramMemo->wholeText(), QString());
        }
    }

    void fullStopRule_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Stream-Schreibfehler"
                                << "Stream-Schreibfehler.";
        QTest::newRow("quote") << "'x' ist kein gültiger Integerwert"
                               << "'x' ist kein gültiger Integerwert.";
        QTest::newRow("digit") << "Fehler 0"
                               << "Fehler 0.";
        QTest::newRow("slash after dot") << "a/"
                                         << "a/.";
        QTest::newRow("full stop") << "Ende."
                                   << "Ende.";
        QTest::newRow("exclamation") << "Abbruch!"
                                     << "Abbruch!";
        QTest::newRow("hyphen") << "a-"
                                << "a-";
        QTest::newRow("blank") << "a "
                               << "a ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void fullStopRule() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(withFullStop(message), shown);
    }

    // The real boxes, built but never shown: titles, icons, German buttons, the
    // default and Esc buttons, and the error display's full stop.
    void messageBoxes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<QString>("escapeButton");
        QTest::addColumn<QString>("text");
        QTest::newRow("information")
            << 0 << "Information" << int(QMessageBox::Information) << QStringList{"OK"} << "OK"
            << "OK"
            << "Fertig";
        QTest::newRow("error") << 1 << "Fehler" << int(QMessageBox::Critical)
                               << QStringList{"OK", "&Hilfe"} << "OK"
                               << "OK"
                               << "Fertig";
        QTest::newRow("confirmation") << 2 << "Bestätigung" << int(QMessageBox::Question)
                                      << QStringList{"&Ja", "&Nein"} << "&Ja"
                                      << "&Nein"
                                      << "Fertig";
        QTest::newRow("error display")
            << 3 << "Zevo 1.0" << int(QMessageBox::Critical) << QStringList{"OK"} << "OK"
            << "OK"
            << "Fertig.";
    }
    void messageBoxes() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QFETCH(QString, escapeButton);
        QFETCH(QString, text);
        using Builder = std::unique_ptr<QMessageBox> (*)(const QString&, QWidget*);
        const Builder builders[] = {&QtDialogs::informationBox, &QtDialogs::errorBox,
                                    &QtDialogs::confirmationBox, &QtDialogs::errorDisplay};
        const auto box = builders[kind](QStringLiteral("Fertig"), nullptr);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->text(), text);
        QStringList shown;
        for (QAbstractButton* b : box->buttons())
            shown << b->text();
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
        QCOMPARE(box->defaultButton()->text(), defaultButton);
        QCOMPARE(box->escapeButton()->text(), escapeButton);
        // Above the protocol window, which stays on top.
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        // Our picture of the kind, which has versions for an enlarged display.
        const auto* picture = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        QVERIFY(picture);
        const Look::BoxPicture kinds[] = {Look::BoxPicture::Information, Look::BoxPicture::Critical,
                                          Look::BoxPicture::Question, Look::BoxPicture::Critical};
        QCOMPARE(picture->pixmap().toImage(),
                 Look::boxPicture(kinds[kind]).pixmap(picture->pixmap().size()).toImage());
        // The same size under every Qt, or the box's layout would change with it.
        QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    }

    // Every window opened from Zevo comes up above the protocol window, which
    // stays on top of the main window.
    void windowsAboveTheProtocol_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("options dialog") << "options";
        QTest::newRow("help viewer") << "help";
        QTest::newRow("protocol window itself") << "protocol";
    }
    void windowsAboveTheProtocol() {
        QFETCH(QString, window);
        Application app;
        HelpViewer help;
        QWidget* opened = window == u"options" ? static_cast<QWidget*>(&app.options)
                          : window == u"help"  ? static_cast<QWidget*>(&help)
                                               : static_cast<QWidget*>(&app.protocol);
        QVERIFY(opened->isWindow());
        QVERIFY(opened->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(app.window.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // The file dialogs would keep their history in the user's home folder.
    void dialogsStoreNothing() {
        QTemporaryDir home;
        const QByteArray previousHome = qgetenv("HOME");
        const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        QtDialogs::keepNoSettings();
        {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setDirectory(home.path());
        }
        qputenv("HOME", previousHome);
        qputenv("XDG_CONFIG_HOME", previousConfig);
        QDirIterator stored(home.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
        QVERIFY2(!stored.hasNext(), qPrintable(stored.hasNext() ? stored.next() : QString()));
    }

    // Type a program, F8 and F6: the run ends with its count and message, and
    // waits 116 times 10 ms between steps at the initial rate.
    void runByKeys() {
        Application app;
        app.typeProgram({"10 cload 7", "20 store 1", "30 end"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QVERIFY(app.enabled("ProgrammStart") && app.enabled("Einzelschritt"));
        QVERIFY(!app.enabled("ProgrammStop"));
        QVERIFY(app.protocol.ProtokollMemo->lineCount() > 0);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F6);
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("2"));
        QCOMPARE(app.boxes(), (QStringList{"information:Programm wurde erfolgreich ausgeführt!"}));
        QCOMPARE(app.window.sleeps, 2 * 116);
        QCOMPARE(app.window.RegisterEditor->valueText(1), QStringLiteral("7"));
        QVERIFY(!app.enabled("ProgrammStart") && !app.enabled("Einzelschritt"));
        QVERIFY(app.enabled("ProgrammReset"));

        // The same program stepped with F5 gives the same count and message.
        app.dialogs.log.clear();
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("0"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(app.window.ProgramMemo, Qt::Key_F5);
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("2"));
        QCOMPARE(app.boxes(), (QStringList{"information:Programm wurde erfolgreich ausgeführt!"}));
    }

    // During a run only "Abbruch" and "Protokoll anzeigen" work; F7 ends the run
    // with its message, the ready state and the focus in the editor.
    void stopKeyDuringARun() {
        Application app;
        app.typeProgram({"10 cadd 1", "20 goto 10"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        app.window.TaktrateTrackBar->setFocus();
        QStringList enabledDuringRun;
        app.window.onSleep = [&](int n) {
            if (n != 300)
                return;
            for (QAction* a : app.window.commands()) {
                if (!a->isSeparator() && a->isEnabled())
                    enabledDuringRun << a->objectName();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5); // disabled: nothing
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
        };
        QTest::keyClick(app.window.TaktrateTrackBar, Qt::Key_F6);
        QCOMPARE(enabledDuringRun, (QStringList{"ProgrammStop", "Protokoll"}));
        QCOMPARE(app.boxes(), (QStringList{"information:Abbruch durch den Benutzer!"}));
        QVERIFY(app.enabled("ProgrammStart") && app.enabled("Einzelschritt"));
        QVERIFY(!app.enabled("ProgrammStop"));
        QCOMPARE(QApplication::focusWidget(), app.window.ProgramMemo);
        // F7 came in the third wait (of 116 each): three steps were counted, and
        // the fourth, run after that wait, was not.
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("3"));
        QCOMPARE(app.window.RegisterEditor->valueText(0), QStringLiteral("2"));
        QCOMPARE(app.window.runControl().run().CurrentLine, 0);
    }

    // A click into the grid after a reset asks for a new reset.
    void gridClickDisablesRunCommands() {
        Application app;
        app.typeProgram({"10 end"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QVERIFY(app.enabled("ProgrammStart"));
        TRegisterEditor* grid = app.window.RegisterEditor;
        const QRect cell = grid->visualRect(grid->model()->index(2, TRegisterEditor::ValueColumn));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        for (const QString& name : RunItems)
            QVERIFY(!app.window.command(name)->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QVERIFY(app.enabled("ProgrammStart") && app.enabled("Einzelschritt"));
    }

    // An emptied cell ends a command that would take the focus from it with
    // the cell's one message, before the command changes anything.
    void incompleteCellEndsTheCommand() {
        Application app;
        app.typeProgram({"10 cload 1", "20 end"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F5);
        const QStringList protocol = app.protocol.protocolLines();
        TRegisterEditor* grid = app.window.RegisterEditor;
        const QRect cell = grid->visualRect(grid->model()->index(2, TRegisterEditor::ValueColumn));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(grid->currentEditor(), Qt::Key_Delete);
        app.dialogs.log.clear();
        QTest::keyClick(grid->currentEditor(), Qt::Key_F8);
        QCOMPARE(app.dialogs.log,
                 (QStringList{"beep", "showError:Ungültiger Eingabewert. Mit der Taste ESC machen "
                                      "Sie die Änderungen rückgängig."}));
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("1"));
        QCOMPARE(app.protocol.protocolLines(), protocol);
        QCOMPARE(QApplication::focusWidget(), grid->currentEditor());
    }

    // The editor's selection shows only while it has the focus; during a run
    // it stays visible while the user types into a register cell, and the
    // steps leave the focus there, so the keys go into the cell.
    void selectionAndFocusWhileTypingIntoACell() {
        Application app;
        app.typeProgram({"10 cadd 1", "20 goto 10"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        TRMProgramEditor* editor = app.window.ProgramMemo;
        TRegisterEditor* grid = app.window.RegisterEditor;
        // Whether the selection can be seen: the editor looks different without it.
        const auto selectionShows = [editor] {
            const QImage with = editor->viewport()->grab().toImage();
            const QTextCursor kept = editor->textCursor();
            QTextCursor none = kept;
            none.clearSelection();
            editor->setTextCursor(none);
            const QImage without = editor->viewport()->grab().toImage();
            editor->setTextCursor(kept);
            return with != without;
        };
        QVERIFY(selectionShows());
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(editor->textCursor().hasSelection());
        QVERIFY(!selectionShows());

        const QString program = editor->toPlainText();
        const QRect cell = grid->visualRect(grid->model()->index(3, TRegisterEditor::ValueColumn));
        bool shownDuringRun = false;
        app.window.onSleep = [&](int n) {
            if (n == 5) {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
            } else if (n == 200) {
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8"));
                shownDuringRun = selectionShows() && editor->textCursor().hasSelection();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
            }
        };
        QTest::keyClick(editor, Qt::Key_F6);
        QCOMPARE(editor->toPlainText(), program);
        QCOMPARE(grid->valueText(3), QStringLiteral("98"));
        QVERIFY(shownDuringRun);
    }

    // During a run a click into the grid leaves "Abbruch" enabled, so a program
    // that never ends can still be stopped.
    void gridClickDuringARunKeepsStop() {
        Application app;
        app.typeProgram({"10 goto 10"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        TRegisterEditor* grid = app.window.RegisterEditor;
        bool stopEnabledAfterClick = false;
        app.window.onSleep = [&](int n) {
            if (n != 5)
                return;
            const QRect cell =
                grid->visualRect(grid->model()->index(4, TRegisterEditor::ValueColumn));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            stopEnabledAfterClick = app.enabled("ProgrammStop") && !app.enabled("ProgrammStart") &&
                                    !app.enabled("Einzelschritt");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
        };
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F6);
        QVERIFY(stopEnabledAfterClick);
        QCOMPARE(app.boxes(), (QStringList{"information:Abbruch durch den Benutzer!"}));
    }

    // A register that is no number ends the run at the error display, with no
    // protocol entry for that step and the ready state to continue from.
    void registerErrorDuringARun() {
        Application app;
        app.typeProgram({"10 cadd 1", "20 add 1", "30 goto 10"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        app.window.onSleep = [&](int n) {
            if (n == 5)
                app.window.RegisterEditor->item(1, TRegisterEditor::ValueColumn)->setText("x");
        };
        const int entriesBefore = app.protocol.protocolLines().size();
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F6);
        QCOMPARE(app.dialogs.log, (QStringList{"showError:'x' ist kein gültiger Integerwert."}));
        QCOMPARE(app.window.runControl().run().CurrentLine, 1);
        QCOMPARE(app.protocol.protocolLines().size(), entriesBefore + 1); // the first step's
        QVERIFY(app.enabled("ProgrammStart") && app.enabled("Einzelschritt"));
        QVERIFY(!app.enabled("ProgrammStop"));
    }

    void rateDisplayFollowsTheSlider() {
        Application app;
        app.window.TaktrateTrackBar->setValue(2398);
        QCOMPARE(app.window.TaktrateLabel->text(), rate("10,0 Hz  "));
        app.window.TaktrateTrackBar->setFocus();
        QTest::keyClick(app.window.TaktrateTrackBar, Qt::Key_End);
        QCOMPARE(app.window.TaktrateLabel->text(), rate("100,0 Hz  "));
        QTest::keyClick(app.window.TaktrateTrackBar, Qt::Key_Home);
        QCOMPARE(app.window.TaktrateLabel->text(), rate("0,1 Hz  "));
    }

    // Closing during a run, once confirmed, ends the run at once without the
    // abort message; declined, the run goes on.
    void closeDuringARun() {
        Application app;
        app.typeProgram({"10 cadd 1", "20 goto 10"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        app.dialogs.confirmAnswer = false;
        int sleepsAtClose = 0;
        app.window.onSleep = [&](int n) {
            if (n == 10) {
                QVERIFY(!app.window.close());
            } else if (n == 20) {
                app.dialogs.confirmAnswer = true;
                QVERIFY(app.window.close());
                sleepsAtClose = n;
            }
        };
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F6);
        QCOMPARE(app.dialogs.log.count("confirm:Möchten Sie Zevo 1.0 wirklich beenden?"), 2);
        QVERIFY(app.boxes().isEmpty());
        QCOMPARE(app.window.sleeps, sleepsAtClose);
        QVERIFY(!app.window.isVisible());
    }

    void beendenAsksFirst() {
        Application app;
        app.dialogs.confirmAnswer = false;
        app.item("Beenden")->trigger();
        QVERIFY(app.window.isVisible());
        app.dialogs.confirmAnswer = true;
        app.protocol.show();
        app.item("Beenden")->trigger();
        QVERIFY(!app.window.isVisible());
        QVERIFY(!app.protocol.isVisible());
    }

    void fixedGeometry() {
        Application app;
        THauptformular& w = app.window;
        QCOMPARE(w.centralWidget()->size(), QSize(401, 465));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.size().height(), 465 + w.MainMenu->height());
        // The zoom that fits the screen is reckoned with these sizes.
        QCOMPARE(w.size(), ScreenFit::MainWindowSize);
        QCOMPARE(app.options.size(), ScreenFit::OptionsDialogSize);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.ProgramMemo->geometry(), QRect(8, 16, 225, 353));
        QCOMPARE(w.RegisterEditor->geometry(), QRect(256, 48, 137, 353));
        QCOMPARE(w.ToolBar->geometry(), QRect(0, 0, 401, 29));
        QCOMPARE(app.button("InfoButton")->geometry(), QRect(331, 2, 23, 22));
        QCOMPARE(w.findChild<QWidget*>("SpaceToolButton3")->geometry(), QRect(300, 2, 8, 22));
        // Every caption fits its control.
        for (QGroupBox* box : w.findChildren<QGroupBox*>())
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->title()) + 16 < box->width(),
                     qPrintable(box->title()));
        const QFontMetrics rate(w.TaktrateLabel->font());
        QVERIFY(rate.horizontalAdvance(QStringLiteral("100,0 Hz")) <= w.TaktrateLabel->width());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
