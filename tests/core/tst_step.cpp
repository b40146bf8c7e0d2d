#include "fakes.h"
#include "machinestep.h"
#include "step.h"
#include "zevoerror.h"

#include <QTest>

namespace {
constexpr qint32 Min = -2147483647 - 1;
constexpr qint32 Max = 2147483647;

// "n=v" pairs, applied to the registers before the step / expected after it.
using RegisterValues = QList<QPair<int, qint32>>;
} // namespace

class TestStep : public QObject {
    Q_OBJECT
private slots:
    void singleInstruction_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<RegisterValues>("before");
        QTest::addColumn<int>("result");
        QTest::addColumn<RegisterValues>("after"); // checked only when result is 0

        using R = RegisterValues;
        QTest::newRow("load") << "10 load 3" << R{{3, 9}} << 0 << R{{0, 9}};
        QTest::newRow("iload") << "10 iload 5" << R{{5, 7}, {7, -4}} << 0 << R{{0, -4}};
        QTest::newRow("cload") << "10 cload -7" << R{} << 0 << R{{0, -7}};
        QTest::newRow("cload no operand is -1") << "10 cload" << R{} << 0 << R{{0, -1}};
        QTest::newRow("mult") << "10 mult 2" << R{{0, 6}, {2, -7}} << 0 << R{{0, -42}};
        QTest::newRow("imult") << "10 imult 1" << R{{0, 3}, {1, 4}, {4, 5}} << 0 << R{{0, 15}};
        QTest::newRow("cmult") << "10 cmult 3" << R{{0, 5}} << 0 << R{{0, 15}};
        QTest::newRow("add") << "10 add 1" << R{{0, 2}, {1, 3}} << 0 << R{{0, 5}};
        QTest::newRow("iadd") << "10 iadd 1" << R{{0, 2}, {1, 9}, {9, 3}} << 0 << R{{0, 5}};
        QTest::newRow("cadd") << "10 cadd 5" << R{{0, 2}} << 0 << R{{0, 7}};
        QTest::newRow("sub") << "10 sub 1" << R{{0, 8}, {1, 5}} << 0 << R{{0, 3}};
        QTest::newRow("sub floored at 0") << "10 sub 1" << R{{0, 3}, {1, 5}} << 0 << R{{0, 0}};
        QTest::newRow("isub") << "10 isub 1" << R{{0, 8}, {1, 2}, {2, 5}} << 0 << R{{0, 3}};
        QTest::newRow("csub floored") << "10 csub 9" << R{{0, 3}} << 0 << R{{0, 0}};
        QTest::newRow("csub negative") << "10 csub -2" << R{{0, 3}} << 0 << R{{0, 5}};
        QTest::newRow("div truncates") << "10 div 1" << R{{0, 7}, {1, 2}} << 0 << R{{0, 3}};
        QTest::newRow("idiv") << "10 idiv 1" << R{{0, 9}, {1, 3}, {3, 3}} << 0 << R{{0, 3}};
        QTest::newRow("cdiv") << "10 cdiv 2" << R{{0, 7}} << 0 << R{{0, 3}};
        QTest::newRow("cdiv toward zero") << "10 cdiv 2" << R{{0, -7}} << 0 << R{{0, -3}};
        QTest::newRow("cdiv min by 1") << "10 cdiv 1" << R{{0, Min}} << 0 << R{{0, Min}};
        QTest::newRow("store") << "10 store 50" << R{{0, 12}} << 0 << R{{50, 12}};
        QTest::newRow("istore") << "10 istore 5" << R{{0, 12}, {5, 9}} << 0 << R{{9, 12}};

        // Register checks first, then the divisor, then overflow.
        QTest::newRow("load 51") << "10 load 51" << R{} << 6 << R{};
        QTest::newRow("load -1") << "10 load -1" << R{} << 6 << R{};
        QTest::newRow("load without operand") << "10 load" << R{} << 6 << R{};
        QTest::newRow("iload through 51") << "10 iload 5" << R{{5, 51}} << 6 << R{};
        QTest::newRow("store 51") << "10 store 51" << R{} << 6 << R{};
        QTest::newRow("istore through 60") << "10 istore 5" << R{{5, 60}} << 6 << R{};
        QTest::newRow("div 60 register before divisor") << "10 div 60" << R{} << 6 << R{};
        QTest::newRow("idiv through -1") << "10 idiv 1" << R{{1, -1}} << 6 << R{};
        QTest::newRow("div by zero") << "10 div 1" << R{{0, 5}} << 3 << R{};
        QTest::newRow("div by negative") << "10 div 1" << R{{1, -3}} << 3 << R{};
        QTest::newRow("idiv by zero") << "10 idiv 1" << R{{1, 2}} << 3 << R{};
        QTest::newRow("cdiv 0") << "10 cdiv 0" << R{} << 3 << R{};
        QTest::newRow("cdiv -2") << "10 cdiv -2" << R{} << 3 << R{};
        QTest::newRow("cadd overflow") << "10 cadd 1" << R{{0, Max}} << 8 << R{};
        QTest::newRow("cadd underflow") << "10 cadd -1" << R{{0, Min}} << 8 << R{};
        QTest::newRow("add reaches max") << "10 add 1" << R{{0, Max - 1}, {1, 1}} << 0 << R{{0, Max}};
        QTest::newRow("mult overflow") << "10 mult 2" << R{{0, 65536}, {2, 65536}} << 8 << R{};
        QTest::newRow("mult min by -1") << "10 cmult -1" << R{{0, Min}} << 8 << R{};
        QTest::newRow("mult to min") << "10 cmult -2" << R{{0, 1073741824}} << 0 << R{{0, Min}};
        QTest::newRow("imult overflow") << "10 imult 1" << R{{0, Max}, {1, 2}, {2, 2}} << 8 << R{};
        QTest::newRow("sub overflow") << "10 csub $80000000" << R{{0, 5}} << 8 << R{};
        QTest::newRow("sub min minus min") << "10 sub 1" << R{{0, Min}, {1, Min}} << 0 << R{{0, 0}};
        QTest::newRow("isub overflow") << "10 isub 1" << R{{0, 1}, {1, 2}, {2, Min}} << 8 << R{};

        QTest::newRow("end") << "10 end" << R{} << 2 << R{};
        QTest::newRow("unknown") << "10 jump 5" << R{} << 5 << R{};
        QTest::newRow("operand word") << "10 load five" << R{} << 5 << R{};
        QTest::newRow("no label") << "load 5" << R{} << 7 << R{};
        QTest::newRow("colon label") << "10: load 1" << R{} << 7 << R{};
        QTest::newRow("negative label") << "-5 load 1" << R{} << 7 << R{};
        QTest::newRow("empty line") << "" << R{} << 7 << R{};
        QTest::newRow("label before opcode") << "x jump 5" << R{} << 7 << R{};
        QTest::newRow("hex label") << "$A end" << R{} << 2 << R{};
    }
    void singleInstruction() {
        QFETCH(QString, line);
        QFETCH(RegisterValues, before);
        QFETCH(int, result);
        QFETCH(RegisterValues, after);

        FakeProgram program({line, "20 end"});
        FakeRegisters regs;
        for (const auto& [n, v] : before)
            regs.set(n, v);
        const QStringList textsBefore = regs.texts;
        PlainSettings settings;
        FakeHighlighter highlighter;
        Machine machine{program, regs, settings, &highlighter};
        qint32 current = 0;

        QCOMPARE(int(ExecuteLine(machine, current)), result);
        if (result == 0) {
            QCOMPARE(current, 1);
            QCOMPARE(highlighter.highlighted, QVector<qint32>{1});
            QCOMPARE(regs.writes.size(), 1);
            for (const auto& [n, v] : after)
                QCOMPARE(regs.value(n), v);
        } else {
            QCOMPARE(current, 0);
            QVERIFY(highlighter.highlighted.isEmpty());
            QVERIFY(regs.writes.isEmpty());
            QCOMPARE(regs.texts, textsBefore);
        }
    }

    void jumps_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<qint32>("accumulator");
        QTest::addColumn<int>("result");
        QTest::addColumn<qint32>("next");
        const QStringList prog{"10 goto 30", "// note", "20 end", "30 end"};
        QTest::newRow("goto") << prog << 0 << 0 << 3;
        QTest::newRow("goto missing") << QStringList{"10 goto 90", "20 end"} << 0 << 4 << 0;
        QTest::newRow("jzero taken")
            << QStringList{"10 jzero 30", "//x", "20 end", "30 end"} << 0 << 0 << 3;
        QTest::newRow("jzero not taken skips comments")
            << QStringList{"10 jzero 30", "//x", "20 end", "30 end"} << 5 << 0 << 2;
        QTest::newRow("jzero missing target but not taken")
            << QStringList{"10 jzero 90", "20 end"} << 5 << 0 << 1;
        QTest::newRow("jzero missing target taken") << QStringList{"10 jzero 90", "20 end"} << 0 << 4 << 0;
        QTest::newRow("goto without operand finds -1")
            << QStringList{"10 goto", "-1 end"} << 0 << 0 << 1;
        QTest::newRow("last line steps past the end") << QStringList{"10 cload 1"} << 0 << 0 << 1;
    }
    void jumps() {
        QFETCH(QStringList, lines);
        QFETCH(qint32, accumulator);
        FakeProgram program(lines);
        FakeRegisters regs;
        regs.set(0, accumulator);
        PlainSettings settings;
        Machine machine{program, regs, settings, nullptr};
        qint32 current = 0;
        QTEST(int(ExecuteLine(machine, current)), "result");
        QTEST(current, "next");
        if (!lines.first().contains("cload"))
            QVERIFY(regs.writes.isEmpty());
    }

    void endRepeatsItsResult() {
        FakeProgram program({"10 end"});
        FakeRegisters regs;
        PlainSettings settings;
        Machine machine{program, regs, settings, nullptr};
        qint32 current = 0;
        QCOMPARE(int(ExecuteLine(machine, current)), 2);
        QCOMPARE(int(ExecuteLine(machine, current)), 2);
        QCOMPARE(current, 0);
    }

    void highlightFollowsTheSetting() {
        FakeProgram program({"10 cload 1", "20 end"});
        FakeRegisters regs;
        PlainSettings settings;
        settings.HighlightCurrentLine = false;
        FakeHighlighter highlighter;
        Machine machine{program, regs, settings, &highlighter};
        qint32 current = 0;
        QCOMPARE(int(ExecuteLine(machine, current)), 0);
        QVERIFY(highlighter.highlighted.isEmpty());
        QCOMPARE(current, 1);
    }

    void conversionErrorEndsTheStepWithNothingWritten_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("badRegister");
        QTest::newRow("operand register") << "10 load 4" << 4;
        QTest::newRow("accumulator of add") << "10 cadd 1" << 0;
        QTest::newRow("store reads R0") << "10 store 3" << 0;
        QTest::newRow("jzero reads R0") << "10 jzero 10" << 0;
        QTest::newRow("indirect address") << "10 iload 2" << 2;
    }
    void conversionErrorEndsTheStepWithNothingWritten() {
        QFETCH(QString, line);
        QFETCH(int, badRegister);
        FakeProgram program({line, "20 end"});
        FakeRegisters regs;
        regs.texts[badRegister] = QStringLiteral("2147483648");
        PlainSettings settings;
        FakeHighlighter highlighter;
        Machine machine{program, regs, settings, &highlighter};
        qint32 current = 0;
        QVERIFY_THROWS_EXCEPTION(ZevoError, ExecuteLine(machine, current));
        QCOMPARE(current, 0);
        QVERIFY(regs.writes.isEmpty());
        QVERIFY(highlighter.highlighted.isEmpty());
    }

    void messagesAndHelpTopics_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("topic");
        QTest::newRow("0") << 0 << QString() << 0;
        QTest::newRow("1") << 1 << QString() << 0;
        QTest::newRow("2") << 2 << "Programm wurde erfolgreich ausgeführt!" << 0;
        QTest::newRow("3") << 3 << "Division durch Null, Abbruch!" << 1;
        QTest::newRow("4") << 4 << "Unbekanntes Sprungziel, Abbruch!" << 2;
        QTest::newRow("5") << 5 << "Unbekannter Befehl, Abbruch!" << 3;
        QTest::newRow("6") << 6 << "Ungültige Registernummer, Abbruch!" << 4;
        QTest::newRow("7") << 7 << "Ungültige Zeilennummer, Abbruch!" << 7;
        QTest::newRow("8") << 8 << "Akkumulatorüberlauf, Abbruch!" << 8;
        QTest::newRow("9") << 9 << QString() << 0;
    }
    void messagesAndHelpTopics() {
        QFETCH(int, result);
        QTEST(stepResultMessage(StepResult(result)), "message");
        QTEST(stepResultHelpTopic(StepResult(result)), "topic");
    }
};

QTEST_GUILESS_MAIN(TestStep)
#include "tst_step.moc"
