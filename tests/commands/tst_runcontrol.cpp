#include "commandguard.h"
#include "fakedialogs.h"
#include "fakerunwindow.h"
#include "fakes.h"
#include "runcontrol.h"

#include <QTest>
#include <new>
#include <stdexcept>

namespace {

// One RunControl over a scripted program, registers, window and dialogs.
struct Rig {
    explicit Rig(QStringList lines) : program(std::move(lines)) {
        window.session = &run.run();
        window.highlighter = &highlighter;
        window.settings = &settings;
        run.setProtocolSink(&window);
    }
    FakeProgram program;
    FakeRegisters regs;
    PlainSettings settings;
    FakeHighlighter highlighter;
    FakeRunWindow window;
    FakeDialogs dialogs;
    RunControl run{program, regs, settings, window, dialogs};
};

const QStringList ThreeLines{"10 cload 5", "20 store 1", "30 end"};
const QStringList Endless{"10 cadd 1", "20 goto 10"};

} // namespace

class TestRunControl : public QObject {
    Q_OBJECT
private slots:
    void commandStates() {
        const CommandFlags stopped = commandFlags(CommandState::Stopped);
        const CommandFlags ready = commandFlags(CommandState::Ready);
        const CommandFlags running = commandFlags(CommandState::Running);
        for (int g = 0; g < CommandGroupCount; ++g) {
            const bool runGroup = g >= 6 && g <= 8; // Start, Abbruch, Einzelschritt
            QCOMPARE(stopped[g], !runGroup);
            QCOMPARE(ready[g], g != 7);
            QCOMPARE(running[g], g == 7);
        }
    }

    void slider_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("waits");
        QTest::newRow("110") << 110 << "0,1 Hz  " << 1050;
        QTest::newRow("300") << 300 << "0,3 Hz  " << 350;
        QTest::newRow("500") << 500 << "0,6 Hz  " << 175;
        QTest::newRow("690") << 690 << "1,0 Hz  " << 116;
        QTest::newRow("700") << 700 << "1,0 Hz  " << 105;
        QTest::newRow("1000") << 1000 << "1,7 Hz  " << 61;
        QTest::newRow("2000") << 2000 << "6,4 Hz  " << 16;
        QTest::newRow("2398") << 2398 << "10,0 Hz  " << 10;
        QTest::newRow("3000") << 3000 << "19,1 Hz  " << 5;
        QTest::newRow("3982") << 3982 << "52,6 Hz  " << 1;
        QTest::newRow("4615") << 4615 << "100,0 Hz  " << 1;
    }
    void slider() {
        QFETCH(int, position);
        QTEST(frequencyText(position, QLocale(QLocale::German, QLocale::Germany)), "display");
        QTEST(StepDelay(position), "waits");
    }

    void resetOnEmptyFirstLineDoesNothing() {
        Rig rig({"", "10 end"});
        rig.run.run().ShowStepCount(5);
        rig.run.run().CurrentLine = 1;
        rig.run.ProgrammResetClick();
        QCOMPARE(rig.window.counter, 5);
        QCOMPARE(rig.run.run().CurrentLine, 1);
        QVERIFY(rig.window.protocol.isEmpty());
        QVERIFY(!rig.window.enabled(CommandGroup::Start));
    }

    void resetStartsAtFirstInstruction() {
        Rig rig({"// Kommentar", "10 end"});
        rig.run.run().ShowStepCount(5);
        rig.run.ProgrammResetClick();
        QCOMPARE(rig.run.run().CurrentLine, 1);
        QCOMPARE(rig.window.counter, 0);
        QCOMPARE(rig.highlighter.highlighted, QVector<qint32>{1});
        QCOMPARE(rig.window.protocol, (QStringList{"heading", "entry@1"}));
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
    }

    void threeLinesStepped() {
        Rig rig(ThreeLines);
        rig.run.ProgrammResetClick();
        rig.run.EinzelschrittClick();
        rig.run.EinzelschrittClick();
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
        // The final entry follows the closed box.
        rig.dialogs.onBox = [&] { QCOMPARE(rig.window.protocol.size(), 4); };
        rig.run.EinzelschrittClick();
        QCOMPARE(rig.window.counter, 2);
        QCOMPARE(rig.dialogs.log, QStringList{"information:Programm wurde erfolgreich ausgeführt!"});
        QCOMPARE(rig.window.protocol.last(), QStringLiteral("entry@2"));
        QCOMPARE(rig.window.protocol.size(), 5);
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Stopped));
        QCOMPARE(rig.regs.value(1), 5);
    }

    void threeLinesRun() {
        Rig rig(ThreeLines);
        rig.run.ProgrammResetClick();
        // In a run the final entry is written before the box.
        rig.dialogs.onBox = [&] { QCOMPARE(rig.window.protocol.size(), 5); };
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.window.counter, 2);
        QCOMPARE(rig.dialogs.log, QStringList{"information:Programm wurde erfolgreich ausgeführt!"});
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Stopped));
        QCOMPARE(rig.window.sleeps, 2 * 116); // two waits at the initial rate
        QVERIFY(rig.window.markChanges);
    }

    void firstLineEnd() {
        Rig rig({"10 end"});
        rig.run.ProgrammResetClick();
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.window.counter, 0);
        QCOMPARE(rig.window.sleeps, 0);
        QCOMPARE(rig.dialogs.log.size(), 1);
    }

    void errorResultShowsItsHelpTopic() {
        Rig rig({"10 cdiv 0"});
        rig.run.ProgrammResetClick();
        rig.run.EinzelschrittClick();
        QCOMPARE(rig.dialogs.log, QStringList{"error:1:Division durch Null, Abbruch!"});
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Stopped));
    }

    void waitsProcessMessagesBeforeEverySleep() {
        Rig rig(ThreeLines);
        rig.window.slider = 4615;
        rig.run.ProgrammResetClick();
        rig.run.ProgrammStartClick();
        // Per pass: one message round before the single sleep and one before the step.
        QCOMPARE(rig.window.sleeps, 2);
        QCOMPARE(rig.window.processCount, 4);
    }

    void abortDuringWaitRunsOneMoreStepUncounted() {
        Rig rig(Endless);
        rig.run.ProgrammResetClick();
        rig.window.at(500, [&] {
            QCOMPARE(rig.window.flags, commandFlags(CommandState::Running));
            rig.run.ProgrammStopClick();
        });
        rig.run.ProgrammStartClick();
        // Step 1 at once, counted in the first pass; the aborted wait still ends in step 2.
        QCOMPARE(rig.window.counter, 1);
        QCOMPARE(rig.regs.value(0), 1);
        QCOMPARE(rig.run.run().CurrentLine, 0); // after the goto
        QCOMPARE(rig.window.nowMs, 1160); // the wait already begun is not cut short
        QCOMPARE(rig.dialogs.log, QStringList{"information:Abbruch durch den Benutzer!"});
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
        QCOMPARE(rig.window.focusCount, 1);
        QCOMPARE(rig.window.protocol.size(), 4); // heading, reset entry, two steps
    }

    void abortBeforeAFinalStepShowsTheAbortAndRepeatsLater() {
        Rig rig({"10 cload 1", "20 end"});
        rig.run.ProgrammResetClick();
        rig.window.at(0, [&] { rig.run.ProgrammStopClick(); });
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.dialogs.log, QStringList{"information:Abbruch durch den Benutzer!"});
        QCOMPARE(rig.run.run().CurrentLine, 1);
        QCOMPARE(rig.window.counter, 1);
        rig.dialogs.log.clear();
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.dialogs.log, QStringList{"information:Programm wurde erfolgreich ausgeführt!"});
        QCOMPARE(rig.window.counter, 1);
    }

    void sliderMovedDuringAWaitTakesEffectNextWait() {
        Rig rig({"10 cadd 1", "20 cadd 1", "30 end"});
        rig.window.slider = SliderMinimum;
        rig.run.ProgrammResetClick();
        rig.window.at(100, [&] { rig.window.slider = SliderMaximum; });
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.window.sleeps, 1050 + 1);
    }

    void conversionErrorDuringRunLeavesReady() {
        Rig rig({"10 load 3", "20 goto 10"});
        rig.run.ProgrammResetClick();
        rig.regs.texts[3] = QStringLiteral("2147483648");
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.dialogs.log,
                 QStringList{"showError:'2147483648' ist kein gültiger Integerwert."});
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
        QCOMPARE(rig.window.protocol.size(), 2); // no entry for the failed step
        QCOMPARE(rig.run.run().CurrentLine, 0);
        QVERIFY(!rig.run.isRunning());
    }

    void conversionErrorInASingleStep() {
        Rig rig({"10 load 3", "20 end"});
        rig.run.ProgrammResetClick();
        rig.regs.texts[3] = QString();
        rig.run.EinzelschrittClick();
        QCOMPARE(rig.dialogs.log, QStringList{"showError:'' ist kein gültiger Integerwert."});
        QCOMPARE(rig.window.counter, 0);
        QCOMPARE(rig.window.protocol.size(), 2);
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
    }

    void gridClickDuringRunKeepsAbbruch() {
        Rig rig(Endless);
        rig.run.ProgrammResetClick();
        rig.window.at(0, [&] {
            rig.run.DisableRunCommands();
            QVERIFY(rig.window.enabled(CommandGroup::Stop));
            QVERIFY(!rig.window.enabled(CommandGroup::Start));
        });
        rig.window.at(50, [&] { rig.run.ProgrammStopClick(); });
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.dialogs.log, QStringList{"information:Abbruch durch den Benutzer!"});
    }

    void disableRunCommandsWhenStopped() {
        Rig rig(ThreeLines);
        rig.run.ProgrammResetClick();
        rig.run.DisableRunCommands();
        CommandFlags expected = commandFlags(CommandState::Ready);
        expected[std::size_t(CommandGroup::Start)] = false;
        expected[std::size_t(CommandGroup::Step)] = false;
        QCOMPARE(rig.window.flags, expected);
        rig.run.ProgrammResetClick();
        QCOMPARE(rig.window.flags, commandFlags(CommandState::Ready));
    }

    void closingDuringRunEndsItSilently() {
        Rig rig(Endless);
        rig.run.ProgrammResetClick();
        rig.window.at(30, [&] { rig.run.abandonRun(); });
        rig.run.ProgrammStartClick();
        QVERIFY(rig.dialogs.log.isEmpty());
        QVERIFY(!rig.run.isRunning());
        QVERIFY(rig.window.nowMs <= 40);
    }

    void counterNeverWraps() {
        Rig rig(Endless);
        rig.run.run().ShowStepCount(2147483647);
        rig.run.IncrementStepCount();
        QCOMPARE(rig.window.counter, 2147483647);
    }

    void startContinuesWhereStepsLeftOff() {
        Rig rig({"10 cadd 1", "20 cadd 1", "30 cadd 1", "40 end"});
        rig.run.ProgrammResetClick();
        rig.run.EinzelschrittClick();
        rig.run.ProgrammStartClick();
        QCOMPARE(rig.window.counter, 3);
        QCOMPARE(rig.regs.value(0), 3);
        QCOMPARE(rig.window.protocol.size(), 6);
    }

    // The guard shows the user German text only: a library's English what()
    // never reaches the error display.
    void guardShowsGermanOnly_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ZevoError") << 0 << "showError:Kein Integer.";
        QTest::newRow("bad_alloc") << 1
            << "showError:Nicht genügend Arbeitsspeicher, der Befehl wurde abgebrochen.";
        QTest::newRow("other") << 2 << "showError:Interner Fehler, der Befehl wurde abgebrochen.";
    }
    void guardShowsGermanOnly() {
        QFETCH(int, kind);
        FakeDialogs dialogs;
        bool settled = false;
        const bool done = guardCommand(
            dialogs,
            [kind] {
                if (kind == 0)
                    throw ZevoError(QStringLiteral("Kein Integer"));
                if (kind == 1)
                    throw std::bad_alloc();
                throw std::runtime_error("vector::reserve");
            },
            [&] { settled = dialogs.log.isEmpty(); });
        QVERIFY(!done);
        QVERIFY(settled); // the state is settled before the box opens
        QTEST(dialogs.log.value(0), "shown");
    }
};

QTEST_GUILESS_MAIN(TestRunControl)
#include "tst_runcontrol.moc"
