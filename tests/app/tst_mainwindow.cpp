// The main window's commands: the command table, menus, toolbar, command
// groups, shortcut keys in every window, and the file and exit commands.
#include "mainwindowapp.h"

#include "protocolview.h"
#include "tRegisterEditor.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
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

    // "Neu" after steps: the window clears the registers and the counter and
    // asks for a reset before the next run, as the document tells it to.
    void newAfterStepsStartsAfresh() {
        Application app;
        app.typeProgram({"10 cload 4", "20 store 2", "30 end"});
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F8);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F5);
        QTest::keyClick(app.window.ProgramMemo, Qt::Key_F5);
        QCOMPARE(app.window.RegisterEditor->valueText(2), QStringLiteral("4"));
        app.item("Neu")->trigger();
        QCOMPARE(app.window.RegisterEditor->valueText(2), QStringLiteral("0"));
        QCOMPARE(app.window.StepsLabel->text(), QStringLiteral("0"));
        for (const QString& name : RunItems)
            QVERIFY(!app.window.command(name)->isEnabled());
        QCOMPARE(app.window.windowTitle(), QStringLiteral("Zevo 1.0"));
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
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
