// What a student gets for the inputs students really produce: each row runs the
// program from the reset position until the first message, as "Start" does.
#include "fakes.h"
#include "navigation.h"
#include "machinestep.h"
#include "step.h"
#include "zevoerror.h"

#include <QtTest>

namespace {

using Texts = QMap<int, QString>;

const QString Success = QStringLiteral("Programm wurde erfolgreich ausgeführt!");
const QString BadLabel = QStringLiteral("Ungültige Zeilennummer, Abbruch!");
const QString Unknown = QStringLiteral("Unbekannter Befehl, Abbruch!");
const QString NoTarget = QStringLiteral("Unbekanntes Sprungziel, Abbruch!");

struct Outcome {
    QString message; // the step's message, or the error display's text
    int steps = 0;   // successful steps before it
    qint32 r0 = 0;
};

Outcome runToTheEnd(const QStringList& lines, const Texts& texts) {
    FakeProgram program(lines);
    FakeRegisters registers;
    for (auto it = texts.begin(); it != texts.end(); ++it)
        registers.texts[it.key()] = it.value();
    PlainSettings settings;
    Machine machine{program, registers, settings, nullptr};
    Outcome out;
    qint32 CurrentLine = FindFirstInstructionLine(program);
    try {
        for (; out.steps < 100; ++out.steps) {
            if (const StepResult r = ExecuteLine(machine, CurrentLine)) {
                out.message = stepResultMessage(r);
                break;
            }
        }
    } catch (const ZevoError& e) {
        out.message = withFullStop(e.message());
    }
    out.r0 = registers.ReadRegister(0);
    return out;
}

} // namespace

class tst_BadInputs : public QObject {
    Q_OBJECT
private slots:
    void line_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("r0");

        QTest::newRow("tab between label and mnemonic")
            << QStringList{"10\tcload 1", "20 end"} << BadLabel << 0 << 0;
        QTest::newRow("tab before the operand")
            << QStringList{"10 cload\t1", "20 end"} << Unknown << 0 << 0;
        QTest::newRow("tab after the operand is trimmed")
            << QStringList{"10 cload 1\t", "20 end"} << Success << 1 << 1;
        QTest::newRow("no-break space is no separator")
            << QStringList{QStringLiteral("10\u00A0cload 1"), "20 end"} << BadLabel << 0 << 0;
        QTest::newRow("trailing remark")
            << QStringList{"10 cload 5 // fünf", "20 end"} << Unknown << 0 << 0;
        QTest::newRow("remark after end") << QStringList{"10 end // fertig"} << Unknown << 0 << 0;
        QTest::newRow("number after end is ignored")
            << QStringList{"10 end 7"} << Success << 0 << 0;
        QTest::newRow("operand beyond 32 bits")
            << QStringList{"10 cload 99999999999", "20 end"} << Unknown << 0 << 0;
        QTest::newRow("operand just too big")
            << QStringList{"10 cload 2147483648", "20 end"} << Unknown << 0 << 0;
        QTest::newRow("smallest operand") << QStringList{"10 cload -2147483648", "20 end"}
                                          << Success << 1 << qint32(-2147483647 - 1);
        QTest::newRow("label beyond 32 bits")
            << QStringList{"99999999999 end"} << BadLabel << 0 << 0;
        QTest::newRow("hex operand 0x")
            << QStringList{"10 cload 0x1f", "20 end"} << Success << 1 << 31;
        QTest::newRow("hex operand all ones")
            << QStringList{"10 cload $FFFFFFFF", "20 end"} << Success << 1 << -1;
        QTest::newRow("hex prefix alone")
            << QStringList{"10 cload $", "20 end"} << Unknown << 0 << 0;
        QTest::newRow("label only") << QStringList{"10"} << BadLabel << 0 << 0;
        QTest::newRow("blanks before the label")
            << QStringList{"   10 cload 2", "20 end"} << Success << 1 << 2;
        QTest::newRow("upper-case mnemonic")
            << QStringList{"10 CLOAD 3", "20 END"} << Success << 1 << 3;
        QTest::newRow("German mnemonic") << QStringList{"10 lade 3"} << Unknown << 0 << 0;
        QTest::newRow("NUL at the end is trimmed")
            << QStringList{QString::fromUtf16(u"10 cload 4\0", 11), "20 end"} << Success << 1 << 4;
        QTest::newRow("NUL inside the mnemonic")
            << QStringList{QString::fromUtf16(u"10 cl\0oad 4", 11)} << Unknown << 0 << 0;
        QTest::newRow("goto without operand")
            << QStringList{"10 goto", "20 end"} << NoTarget << 0 << 0;
        QTest::newRow("program without end")
            << QStringList{"10 cload 1", "20 cadd 1"} << BadLabel << 2 << 2;
        QTest::newRow("empty line in the path")
            << QStringList{"10 cload 1", "", "30 end"} << BadLabel << 1 << 1;
        QTest::newRow("indented comment first")
            << QStringList{"  // Summe", "10 end"} << BadLabel << 0 << 0;
        QTest::newRow("comments only") << QStringList{"// a", "// b"} << BadLabel << 0 << 0;
        QTest::newRow("label 0 and hex label")
            << QStringList{"0 cload 1", "$14 end"} << Success << 1 << 1;
    }
    void line() {
        QFETCH(QStringList, lines);
        const Outcome out = runToTheEnd(lines, {});
        QTEST(out.message, "message");
        QTEST(out.steps, "steps");
        QTEST(out.r0, "r0");
    }

    void registerText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("r0");

        QTest::newRow("empty") << ""
                               << "'' ist kein gültiger Integerwert." << 0;
        QTest::newRow("2147483647") << "2147483647" << Success << 2147483647;
        QTest::newRow("2147483648") << "2147483648"
                                    << "'2147483648' ist kein gültiger Integerwert." << 0;
        QTest::newRow("ten digits typed") << "9999999999"
                                          << "'9999999999' ist kein gültiger Integerwert." << 0;
        QTest::newRow("leading zeros") << "007" << Success << 7;
        QTest::newRow("leading blanks") << "  12" << Success << 12;
        QTest::newRow("trailing blank") << "12 "
                                        << "'12 ' ist kein gültiger Integerwert." << 0;
        QTest::newRow("minus zero") << "-0" << Success << 0;
        QTest::newRow("hex") << "$1F" << Success << 31;
        QTest::newRow("letters") << "zwölf"
                                 << "'zwölf' ist kein gültiger Integerwert." << 0;
    }
    // R5 holds the text; the program loads it into R0. A bad text ends the run
    // with the error display's text and nothing written.
    void registerText() {
        QFETCH(QString, text);
        const Outcome out = runToTheEnd({"10 load 5", "20 end"}, {{5, text}});
        QTEST(out.message, "message");
        QTEST(out.r0, "r0");
        QCOMPARE(out.steps, out.message == Success ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(tst_BadInputs)
#include "tst_badinputs.moc"
