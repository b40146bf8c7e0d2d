// Runs in the main window: keys, the clocked wait, stop, the register grid
// during a run, the rate display and closing while a program runs.
#include "mainwindowapp.h"

#include "protocolview.h"
#include "tRegisterEditor.h"

#include <QImage>
#include <QSlider>

class TestMainWindowRun : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(TestMainWindowRun)
#include "tst_mainwindowrun.moc"
