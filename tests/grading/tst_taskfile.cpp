#include "nativename.h"
#include "taskfile.h"
#include "zevoerror.h"

#include <QTest>

namespace {

// The parsed task in one line: "title|limit|inputs -> expectation|...".
QString describe(const Task& task) {
    QStringList parts{task.title.value_or(QStringLiteral("-")), QString::number(task.stepLimit)};
    for (const TaskCase& c : task.cases)
        parts << registerValuesText(c.inputs) + QStringLiteral(" -> ") +
                     (c.expectedMessage.isEmpty() ? registerValuesText(c.expectedRegisters)
                                                  : u'"' + c.expectedMessage + u'"');
    return parts.join(u'|');
}

} // namespace

class TestTaskFile : public QObject {
    Q_OBJECT

private slots:
    // result: the parsed task, or the error message after "Aufgabendatei a.txt".
    void grammar_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, const QByteArray& text, const QString& result) {
            QTest::newRow(name) << text << result;
        };
        row("one case", "R1=3 R2=4 -> R3=12", "-|1000000|R1=3 R2=4 -> R3=12");
        row("full", "# Aufgabe\n\nTitel: Mult # x\nSchrittlimit: 100000\nR1=7 R2=1 -> R3=7 R1=7\n"
                    "R1=5 R2=0 -> \"Division durch Null, Abbruch!\"   # c\n",
            "Mult|100000|R1=7 R2=1 -> R3=7 R1=7|R1=5 R2=0 -> \"Division durch Null, Abbruch!\"");
        row("bom crlf tabs case", "\xEF\xBB\xBFTITEL :\tT x\r\n\tr1=$1F  R50=0x1f\t->\tR0=-3 \r\n"
                                  "schrittLIMIT:2147483647\r\n",
            "T x|2147483647|R1=31 R50=31 -> R0=-3");
        row("no inputs", "-> R0=+5", "-|1000000| -> R0=5");
        row("success message", "R0=1 -> \"Programm wurde erfolgreich ausgeführt!\"",
            "-|1000000|R0=1 -> \"Programm wurde erfolgreich ausgeführt!\"");
        row("arrow missing", "\n# c\nR1=3 R2=4", ", Zeile 3: '->' fehlt");
        row("expectation missing", "R1=3 -> # R3=1", ", Zeile 1: Erwartung fehlt");
        const QString badRegister = QStringLiteral(
            ", Zeile 1: ungültige Registerangabe '%1' (erwartet: Rn=Zahl mit n von 0 bis 50)");
        row("register 51", "R51=1 -> R0=1", badRegister.arg("R51=1"));
        row("register 3 digits", "R001=1 -> R0=1", badRegister.arg("R001=1"));
        row("no number", "R=1 -> R0=1", badRegister.arg("R=1"));
        const QString badValue = QStringLiteral(
            ", Zeile 1: ungültiger Wert '%1' für R%2 (erwartet: ganze Zahl von -2147483648 bis "
            "2147483647)");
        row("no value", "R1= -> R0=1", badValue.arg("").arg(1));
        row("blank around =", "R1 = 3 -> R0=1", badRegister.arg("R1"));
        row("value overflow", "R1=2147483648 -> R0=1", badValue.arg("2147483648").arg(1));
        row("value word", "R1=3 -> R3=zwölf", badValue.arg("zwölf").arg(3));
        row("NUL byte shown", QByteArray("R1=\0x -> R0=1", 13), badValue.arg("\\x00x").arg(1));
        row("two arrows", "R1=3 -> R3=1 -> R3=2", badRegister.arg("->"));
        row("input twice", "R3=1 r3=2 -> R0=0", ", Zeile 1: Register R3 doppelt angegeben");
        row("expected twice", "-> R0=0 R0=1", ", Zeile 1: Register R0 doppelt angegeben");
        row("runaway expected", "-> \"Schrittlimit erreicht, Abbruch!\"",
            "-|1000000| -> \"Schrittlimit erreicht, Abbruch!\"");
        row("unknown message", "-> \"Fertig!\"", ", Zeile 1: unbekannte Meldung \"Fertig!\"");
        row("message unclosed", "-> \"Division durch Null, Abbruch!",
            ", Zeile 1: schließendes Anführungszeichen fehlt: \"Division durch Null, Abbruch!");
        row("escaped hash", "Titel: C\\# und \\#2 # Kommentar\n-> R0=0",
            "C# und #2|1000000| -> R0=0");
        const QString badLimit =
            QStringLiteral(", Zeile 1: ungültiges Schrittlimit '%1' (erlaubt: 1 bis 2147483647)");
        row("limit 0", "Schrittlimit: 0", badLimit.arg("0"));
        row("limit too big", "Schrittlimit: 2147483648", badLimit.arg("2147483648"));
        row("limit sign", "Schrittlimit: +5", badLimit.arg("+5"));
        row("limit hex", "Schrittlimit: $10", badLimit.arg("$10"));
        row("limit empty", "Schrittlimit:", badLimit.arg(""));
        row("limit twice", "Schrittlimit: 5\n-> R0=0\nSchrittlimit: 5",
            ", Zeile 3: Schrittlimit doppelt angegeben");
        row("title twice", "Titel: a\ntitel: b", ", Zeile 2: Titel doppelt angegeben");
        row("title empty", "Titel:  # x", ", Zeile 1: Titel fehlt");
        row("not utf-8", "-> R0=0\nTitel: Gr\xF6\xDF" "e", ", Zeile 2: ungültiges UTF-8");
        row("no case", "Titel: a\n# R1=1 -> R2=1\n", ": enthält keinen Fall");
        row("empty", "", ": enthält keinen Fall");
    }
    void grammar() {
        QFETCH(QByteArray, text);
        QFETCH(QString, result);
        QString got;
        try {
            got = describe(parseTask(text, QStringLiteral("a.txt")));
        } catch (const ZevoError& e) {
            got = visibleText(e.message());
            QVERIFY(got.startsWith(u"Aufgabendatei a.txt"));
            got.remove(0, qsizetype(strlen("Aufgabendatei a.txt")));
        }
        QCOMPARE(got, result);
    }
};

QTEST_APPLESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
