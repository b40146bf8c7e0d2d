// zevo-run's single run as scripts use it: options, files, exit statuses,
// and the protocol exactly as the window's run writes it.
#include "codepage.h"
#include "fakedialogs.h"
#include "fakes.h"
#include "nativename.h"
#include "runcontrol.h"
#include "zevorunprocess.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <cstdio>
#include <QTemporaryDir>
#include <QTest>

using namespace zevorun;

namespace {

// The last two lines of stderr: the final message and "Schritte: N".
QStringList tail(const Run& run) {
    return run.err.mid(qMax(0, int(run.err.size()) - 2));
}
QStringList ending(const QString& message, int steps) {
    return {message, QStringLiteral("Schritte: %1").arg(steps)};
}

// A register assignment as given on the command line and to the window's grid.
using Texts = QList<QPair<int, QString>>;
// Expected register values after a run.
using Values = QList<QPair<int, qint32>>;

QStringList registerArguments(const Texts& texts) {
    QStringList args;
    for (const auto& [n, text] : texts)
        args << QStringLiteral("-r") << QStringLiteral("%1=%2").arg(n).arg(text);
    return args;
}

// The window's side of the same run: RunControl's clocked loop, with the
// fastest clock and no real waits, the protocol kept as the window keeps it.
class ProtocolWindow final : public RunWindow, public ProtocolSink {
public:
    void stepCountChanged(qint32 n) override { counter = n; }
    void lineReached(qint32) override {}
    void SetCommandStates(const CommandFlags&) override {}
    void startProtocol(const QString& heading) override { protocol = QStringList{heading}; }
    void appendEntry(std::span<const QString> lines) override {
        for (const QString& line : lines)
            protocol << line;
    }
    void SetMarkChanges(bool) override {}
    int sliderPosition() const override { return SliderMaximum; }
    void focusEditor() override {}
    void processPendingMessages() override {}
    void sleep10ms() override {}

    qint32 counter = 0;
    QStringList protocol;
};

struct WindowResult {
    QStringList protocol;
    QString message;
    int steps = 0;
};

WindowResult runInWindow(const QStringList& lines, const Texts& texts, const PlainSettings& settings) {
    FakeProgram program(lines);
    FakeRegisters registers;
    for (const auto& [n, text] : texts)
        registers.texts[n] = text;
    FakeDialogs dialogs;
    ProtocolWindow window;
    RunControl run(program, registers, settings, window, dialogs);
    run.run().sink().setSink(&window);
    run.ProgrammResetClick();
    if (!dialogs.log.isEmpty() || program.lineText(0).isEmpty())
        return {window.protocol, dialogs.log.value(0).section(u':', -1), window.counter};
    run.ProgrammStartClick();
    // "information:TEXT", "error:TOPIC:TEXT" or "showError:TEXT".
    QString message = dialogs.log.value(0);
    message = message.mid(message.indexOf(u':') + 1);
    if (dialogs.log.value(0).startsWith(u"error:"))
        message = message.mid(message.indexOf(u':') + 1);
    return {window.protocol, message, window.counter};
}

QStringList settingArguments(const PlainSettings& s) {
    return {QStringLiteral("--protocol-kind"),
            QString::number(int(s.Kind)),
            QStringLiteral("--last-register"),
            QString::number(s.LastRegister),
            QStringLiteral("--spacing"),
            s.Spacing == ProtocolSpacing::Gross ? QStringLiteral("groß") : QStringLiteral("klein")};
}

PlainSettings settingsOf(int kind, int last, int spacing) {
    PlainSettings s;
    s.Kind = ProtocolKind(kind);
    s.LastRegister = last;
    s.Spacing = ProtocolSpacing(spacing);
    return s;
}


} // namespace

class TestZevoRun : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // Writes lines joined by CR LF in Windows-1252, as the application saves them.
    QString programFile(const QStringList& lines, const QByteArray& separator = "\r\n") {
        const QString name = m_dir.filePath(QStringLiteral("p%1.rmp").arg(++m_files));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        QByteArray bytes;
        for (qsizetype i = 0; i < lines.size(); ++i)
            bytes += (i > 0 ? separator : QByteArray()) + encodeWindows1252(lines[i]);
        file.write(bytes);
        return name;
    }

    QString example(const QString& name) { return QStringLiteral(ZEVO_EXAMPLES_DIR "/") + name; }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    // QTemporaryDir cannot remove a name that is not UTF-8; remove by bytes.
    void cleanupTestCase() { QVERIFY(removeTreeByBytes(m_dir.path())); }

    void help() {
        for (const QString& option : {QStringLiteral("-h"), QStringLiteral("--help")}) {
            const Run run = runZevo({option});
            QCOMPARE(run.status, 0);
            QVERIFY(run.out.value(0).startsWith(u"Aufruf: zevo-run [Optionen] PROGRAMM.rmp"));
            QVERIFY(run.out.join(u'\n').contains(u"Schrittlimit erreicht"));
            QVERIFY(run.err.isEmpty());
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments"); // "FILE" stands for a valid program
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option")
            << QStringList{"--fast", "FILE"} << "zevo-run: Unbekannte Option '--fast'";
        QTest::newRow("unknown short option")
            << QStringList{"-x", "FILE"} << "zevo-run: Unbekannte Option '-x'";
        QTest::newRow("register 51") << QStringList{"-r", "51=1", "FILE"}
                                     << "zevo-run: Ungültige Registerangabe '51=1' (erwartet: "
                                        "N=TEXT mit N von 0 bis 50)";
        QTest::newRow("register negative") << QStringList{"--register", "-1=1", "FILE"}
                                           << "zevo-run: Ungültige Registerangabe '-1=1' "
                                              "(erwartet: N=TEXT mit N von 0 bis 50)";
        QTest::newRow("register without =") << QStringList{"-r", "5", "FILE"}
                                            << "zevo-run: Ungültige Registerangabe '5' "
                                               "(erwartet: N=TEXT mit N von 0 bis 50)";
        QTest::newRow("register name") << QStringList{"-rR5=1", "FILE"}
                                       << "zevo-run: Ungültige Registerangabe 'R5=1' "
                                          "(erwartet: N=TEXT mit N von 0 bis 50)";
        QTest::newRow("max-steps 0") << QStringList{"--max-steps", "0", "FILE"}
                                     << "zevo-run: Ungültiger Wert für --max-steps: '0' "
                                        "(erlaubt: 1 bis 2147483647)";
        QTest::newRow("max-steps word") << QStringList{"--max-steps=viele", "FILE"}
                                        << "zevo-run: Ungültiger Wert für --max-steps: 'viele' "
                                           "(erlaubt: 1 bis 2147483647)";
        QTest::newRow("max-steps too big") << QStringList{"--max-steps", "2147483648", "FILE"}
                                           << "zevo-run: Ungültiger Wert für --max-steps: "
                                              "'2147483648' (erlaubt: 1 bis 2147483647)";
        QTest::newRow("max-steps hex") << QStringList{"--max-steps", "$10", "FILE"}
                                       << "zevo-run: Ungültiger Wert für --max-steps: '$10' "
                                          "(erlaubt: 1 bis 2147483647)";
        QTest::newRow("max-steps missing value") << QStringList{"FILE", "--max-steps"}
                                                 << "zevo-run: Option --max-steps verlangt "
                                                    "einen Wert";
        QTest::newRow("protocol kind 2") << QStringList{"--protocol-kind", "2", "FILE"}
                                         << "zevo-run: Ungültiger Wert für --protocol-kind: '2' "
                                            "(erlaubt: 0 bis 1)";
        QTest::newRow("last register 51") << QStringList{"--last-register", "51", "FILE"}
                                          << "zevo-run: Ungültiger Wert für --last-register: "
                                             "'51' (erlaubt: 0 bis 50)";
        QTest::newRow("spacing") << QStringList{"--spacing", "mittel", "FILE"}
                                 << "zevo-run: Ungültiger Wert für --spacing: 'mittel' "
                                    "(erlaubt: klein, groß)";
        QTest::newRow("no file") << QStringList{"--no-protocol"}
                                 << "zevo-run: Keine Programmdatei angegeben";
        QTest::newRow("aufgabe with -r") << QStringList{"--aufgabe=t", "FILE", "-r", "1=2"}
                                         << "zevo-run: Option -r ist mit --aufgabe nicht möglich";
        QTest::newRow("aufgabe twice") << QStringList{"--aufgabe", "TASK", "--aufgabe=TASK", "FILE"}
                                       << "zevo-run: Option --aufgabe mehrfach angegeben";
        QTest::newRow("csv twice")
            << QStringList{"--aufgabe", "TASK", "--csv", "DIR/a.csv", "--csv", "DIR/b.csv", "FILE"}
            << "zevo-run: Option --csv mehrfach angegeben";
        QTest::newRow("max-steps twice") << QStringList{"--max-steps", "5", "--max-steps=6", "FILE"}
                                         << "zevo-run: Option --max-steps mehrfach angegeben";
        QTest::newRow("csv without name") << QStringList{"--aufgabe", "TASK", "--csv", "", "FILE"}
                                          << "zevo-run: Option --csv verlangt einen Dateinamen";
        QTest::newRow("table name forgotten")
            << QStringList{"--aufgabe", "TASK", "--csv", "FILE", "FILE"}
            << "zevo-run: Tabellendatei FILE (--csv) darf nicht auf .rmp oder .aufgabe enden";
        QTest::newRow("table named like a task")
            << QStringList{"--aufgabe", "TASK", "--xlsx", "DIR/x.AUFGABE", "FILE"}
            << "zevo-run: Tabellendatei DIR/x.AUFGABE (--xlsx) darf nicht auf .rmp oder .aufgabe "
               "enden";
        QTest::newRow("table is the task file")
            << QStringList{"--aufgabe", "TASK", "--csv", "DIR/./t.txt", "FILE"}
            << "zevo-run: Tabellendatei DIR/./t.txt (--csv) ist die Aufgabendatei";
        QTest::newRow("table is a program by a hard link")
            << QStringList{"--aufgabe", "TASK", "--json", "LINK", "FILE"}
            << "zevo-run: Tabellendatei LINK (--json) ist eine der Programmdateien";
        QTest::newRow("both tables one file")
            << QStringList{"--aufgabe", "TASK", "--csv", "DIR/x.csv", "--json", "DIR/./x.csv", "FILE"}
            << "zevo-run: Tabellendateien --csv und --json sind dieselbe Datei DIR/./x.csv";
        QTest::newRow("table over a submission without .rmp")
            << QStringList{"--aufgabe", "TASK", "--csv", "SUB", "FILE"}
            << "zevo-run: Tabellendatei SUB (--csv) gibt es schon, und sie ist keine von Zevo "
               "geschriebene CSV-Tabelle; sie wird nicht überschrieben";
#ifndef Q_OS_WIN
        QTest::newRow("table through a symbolic link")
            << QStringList{"--aufgabe", "TASK", "--json", "DIR/verweis.json", "FILE"}
            << "zevo-run: Tabellendatei DIR/verweis.json (--json) ist eine symbolische "
               "Verknüpfung und wird nicht überschrieben";
#endif
        QTest::newRow("table suffix of another kind")
            << QStringList{"--aufgabe", "TASK", "--xlsx", "DIR/ergebnis.csv", "FILE"}
            << "zevo-run: Tabellendatei DIR/ergebnis.csv (--xlsx) hat nicht die Endung .xlsx und "
               "wird nicht geschrieben";
        QTest::newRow("table value forgotten before an option")
            << QStringList{"--aufgabe", "TASK", "--xlsx", "--csv", "DIR/x.csv", "FILE"}
            << "zevo-run: Option --xlsx verlangt einen Wert, nicht die Option --csv";
        QTest::newRow("grading option misspelt")
            << QStringList{"--aufgabe", "TASK", "--jsno", "DIR/x.json", "FILE"}
            << "zevo-run: Unbekannte Option '--jsno'";
        QTest::newRow("run option with value in grading")
            << QStringList{"--aufgabe", "TASK", "--max-steps=5", "FILE"}
            << "zevo-run: Option --max-steps ist mit --aufgabe nicht möglich";
        QTest::newRow("control characters shown")
            << QStringList{"--f\x1b[8m\n", "FILE"} << "zevo-run: Unbekannte Option '--f\\x1b[8m\\n'";
        QTest::newRow("csv alone") << QStringList{"--csv", "t.csv", "FILE"}
                                   << "zevo-run: Option --csv nur mit --aufgabe möglich";
        QTest::newRow("two files") << QStringList{"FILE", "b.rmp"}
                                   << "zevo-run: Mehr als eine Programmdatei angegeben: FILE, "
                                      "b.rmp";
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString file = programFile({"10 end"});
        const QString task = m_dir.filePath(QStringLiteral("t.txt"));
        QFile taskFile(task);
        QVERIFY(taskFile.open(QIODevice::WriteOnly) && taskFile.write("-> R0=0\n") == 8);
        taskFile.close();
        const QString link = m_dir.filePath(QStringLiteral("hart%1.json").arg(m_files));
        QVERIFY(hardLink(file, link));
        // A submission without .rmp, and a link to it, that a table must not replace.
        const QString submission = m_dir.filePath(QStringLiteral("carla"));
        QFile sub(submission);
        QVERIFY(sub.open(QIODevice::WriteOnly) && sub.write("10 end") == 6);
        sub.close();
#ifndef Q_OS_WIN
        QFile::link(submission, m_dir.filePath(QStringLiteral("verweis.json")));
#endif
        for (const auto& [from, to] : {std::pair(QStringLiteral("FILE"), file),
                                       std::pair(QStringLiteral("TASK"), task),
                                       std::pair(QStringLiteral("LINK"), link),
                                       std::pair(QStringLiteral("SUB"), submission),
                                       std::pair(QStringLiteral("DIR"), m_dir.path())}) {
            arguments.replaceInStrings(from, to);
            message.replace(from, to);
        }
        const Run run = runZevo(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, (QStringList{message, QStringLiteral("Hilfe: zevo-run --help")}));
        // Nothing was written: the program and the task file are as they were.
        QFile program(file);
        QVERIFY(program.open(QIODevice::ReadOnly));
        QCOMPARE(program.readAll(), QByteArray("10 end"));
        QVERIFY(taskFile.open(QIODevice::ReadOnly));
        QCOMPARE(taskFile.readAll(), QByteArray("-> R0=0\n"));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("x.csv"))));
        QVERIFY(sub.open(QIODevice::ReadOnly));
        QCOMPARE(sub.readAll(), QByteArray("10 end"));
        QFile::remove(link);
    }

    // Files that cannot be run: exit 2, the message as the error display shows it.
    void unusableFiles() {
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.rmp"));
        Run run = runZevo({missing});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(tail(run), ending("Datei " + QDir::toNativeSeparators(missing) + " kann nicht geöffnet werden.", 0));

        run = runZevo({m_dir.path()});
        QCOMPARE(run.status, 2);
        QCOMPARE(tail(run), ending("Datei " + QDir::toNativeSeparators(m_dir.path()) + " kann nicht geöffnet werden.", 0));

        // The editor's capacity: a file the window refuses is refused here too.
        QByteArray big(1024 * 1024, 'x');
        big.replace(0, 8, "10 end\r\n");
        const QString bigName = m_dir.filePath(QStringLiteral("gross.rmp"));
        QFile bigFile(bigName);
        QVERIFY(bigFile.open(QIODevice::WriteOnly));
        bigFile.write(big);
        bigFile.close();
        run = runZevo({"--no-protocol", bigName});
        QCOMPARE(run.status, 0);
        QCOMPARE(tail(run), ending(Success, 0));
        QVERIFY(bigFile.open(QIODevice::Append));
        bigFile.write("x");
        bigFile.close();
        run = runZevo({"--no-protocol", bigName});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(tail(run), ending("Text überschreitet Memo-Kapazität.", 0));

        const QString emptyFirstLine =
            QStringLiteral("Die erste Programmzeile ist leer, das Programm kann nicht "
                           "zurückgesetzt werden!");
        for (const QStringList& lines : {QStringList{"", "10 end"}, QStringList{}}) {
            for (const QString& mode : {QStringLiteral("--no-protocol"), QStringLiteral("--")}) {
                run = runZevo({mode, programFile(lines)});
                QCOMPARE(run.status, 2);
                QVERIFY(run.out.isEmpty());
                QCOMPARE(tail(run), ending(emptyFirstLine, 0));
            }
        }
    }

    void exitStatus_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Texts>("registers");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("steps");

        QTest::newRow("0 end") << QStringList{"10 cload 5", "20 store 1", "30 end"} << Texts{} << 0
                               << Success << 2;
        QTest::newRow("0 end first") << QStringList{"10 end"} << Texts{} << 0 << Success << 0;
        QTest::newRow("1 limit") << QStringList{"10 cadd 1", "20 goto 10"} << Texts{} << 1 << Limit
                                 << 1000;
        QTest::newRow("2 register text at reset") << QStringList{"10 end"} << Texts{{3, "12x"}} << 2
                                                  << "'12x' ist kein gültiger Integerwert." << 0;
        QTest::newRow("2 empty register text") << QStringList{"10 end"} << Texts{{0, ""}} << 2
                                               << "'' ist kein gültiger Integerwert." << 0;
        QTest::newRow("2 register text in a step")
            << QStringList{"10 cload 1", "20 add 40", "30 end"} << Texts{{40, "2147483648"}} << 2
            << "'2147483648' ist kein gültiger Integerwert." << 1;
        QTest::newRow("3 division") << QStringList{"10 cload 4", "20 cdiv 0"} << Texts{} << 3
                                    << "Division durch Null, Abbruch!" << 1;
        QTest::newRow("4 target") << QStringList{"10 goto 99"} << Texts{} << 4
                                  << "Unbekanntes Sprungziel, Abbruch!" << 0;
        QTest::newRow("5 instruction") << QStringList{"10 cload 1", "20 lade 1"} << Texts{} << 5
                                       << "Unbekannter Befehl, Abbruch!" << 1;
        QTest::newRow("6 register") << QStringList{"10 load 51"} << Texts{} << 6
                                    << "Ungültige Registernummer, Abbruch!" << 0;
        QTest::newRow("7 label") << QStringList{"10 cload 1", "20: end"} << Texts{} << 7
                                 << "Ungültige Zeilennummer, Abbruch!" << 1;
        QTest::newRow("7 past the end")
            << QStringList{"10 cload 1"} << Texts{} << 7 << "Ungültige Zeilennummer, Abbruch!" << 1;
        QTest::newRow("8 overflow") << QStringList{"10 cadd 1"} << Texts{{0, "2147483647"}} << 8
                                    << "Akkumulatorüberlauf, Abbruch!" << 0;
        QTest::newRow("typed texts read by the integer rule")
            << QStringList{"10 load 1", "20 add 2", "30 add 3", "40 cdiv 47", "50 end"}
            << Texts{{1, "007"}, {2, "$1F"}, {3, "  9"}} << 0 << Success << 4;
        QTest::newRow("bad text never read")
            << QStringList{"10 end"} << Texts{{20, "abc"}} << 0 << Success << 0;
    }
    void exitStatus() {
        QFETCH(QStringList, lines);
        QFETCH(Texts, registers);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(int, steps);
        const QString file = programFile(lines);
        for (const bool protocol : {true, false}) {
            QStringList args = registerArguments(registers) << "--max-steps"
                                                            << "1000";
            if (!protocol)
                args << "--no-protocol";
            const Run run = runZevo(args << file);
            QCOMPARE(run.status, status);
            QCOMPARE(tail(run), ending(message, steps));
        }
    }

    // The runner's protocol is the window's protocol after "Zurücksetzen" and
    // "Start": same lines, same final message, same counter.
    void protocolAsInWindow_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Texts>("registers");
        QTest::addColumn<PlainSettings>("settings");

        const QStringList product{"// Produkt R1 * R2 nach R3",
                                  "10 cload 0",
                                  "20 store 3",
                                  "30 load 2",
                                  "40 jzero 100",
                                  "50 csub 1",
                                  "60 store 2",
                                  "70 load 3",
                                  "80 add 1",
                                  "90 store 3",
                                  "95 goto 30",
                                  "100 end"};
        const Texts inputs{{1, "6"}, {2, "07"}};
        QTest::newRow("defaults") << product << inputs << PlainSettings{};
        QTest::newRow("instructions, groß, R0-R3") << product << inputs << settingsOf(1, 3, 1);
        QTest::newRow("instructions, klein, R0") << product << inputs << settingsOf(1, 0, 0);
        QTest::newRow("registers, groß, R0-R50") << product << inputs << settingsOf(0, 50, 1);
        QTest::newRow("wide values")
            << QStringList{"10 cload -2147483648", "20 store 5",         "30 cload 12345678",
                           "40 store 50",          "50 cload $7FFFFFFF", "60 end"}
            << Texts{} << settingsOf(1, 50, 1);
        QTest::newRow("prefix jump") << QStringList{"10 cload 0", "20 jzero 11", "110 end"}
                                     << Texts{} << settingsOf(1, 2, 0);
        QTest::newRow("comments only")
            << QStringList{"// a", "// b"} << Texts{} << settingsOf(1, 1, 0);
        QTest::newRow("indented comment first")
            << QStringList{"  // a", "10 end"} << Texts{} << settingsOf(1, 1, 0);
        QTest::newRow("runtime error keeps the line")
            << QStringList{"10 cload 5", "// Zähler", "20 cdiv 0"} << Texts{}
            << settingsOf(1, 2, 0);
        QTest::newRow("umlauts and tabs as typed")
            << QStringList{"10 cload 1", "20\tstore 1", "30 end"} << Texts{} << settingsOf(1, 1, 1);
        QTest::newRow("instruction line with text outside ASCII")
            << QStringList{"10 cload 1", QString::fromUtf8("20 zähle \u20AC")} << Texts{}
            << settingsOf(1, 1, 0);
        QTest::newRow("register text fails in a step")
            << QStringList{"10 cload 1", "20 add 30", "30 end"} << Texts{{30, "x1"}}
            << settingsOf(1, 2, 0);
        QTest::newRow("register text fails at reset")
            << QStringList{"10 end"} << Texts{{2, "1.5"}} << settingsOf(1, 2, 0);
        QTest::newRow("negative typed value")
            << QStringList{"10 load 1", "20 end"} << Texts{{1, "-0012"}} << settingsOf(0, 1, 1);
    }
    void protocolAsInWindow() {
        QFETCH(QStringList, lines);
        QFETCH(Texts, registers);
        QFETCH(PlainSettings, settings);
        const WindowResult window = runInWindow(lines, registers, settings);
        QVERIFY(window.protocol.size() >= 1);

        const QString file = programFile(lines);
        const Run run = runZevo(registerArguments(registers) + settingArguments(settings) << file);
        QCOMPARE(run.out, window.protocol);
        QCOMPARE(tail(run), ending(window.message, window.steps));

        // Without a protocol only the last register line is printed, and only
        // if the reset got as far as its entry.
        const Run quiet = runZevo(registerArguments(registers) + settingArguments(settings)
                                  << "--no-protocol" << file);
        QCOMPARE(quiet.status, run.status);
        QCOMPARE(tail(quiet), tail(run));
        const int registerLine = window.protocol.size() -
                                 (settings.Kind == ProtocolKind::RegistersAndInstruction ? 2 : 1);
        if (window.protocol.size() > 1)
            QCOMPARE(quiet.out, QStringList{window.protocol.value(registerLine)});
        else
            QVERIFY(quiet.out.isEmpty());
    }

    // Line ends as "Öffnen..." reads them, and Windows-1252 text into UTF-8.
    void loading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("protocol"); // with instructions, R0 only
        QTest::addColumn<int>("status");
        QTest::newRow("CR LF, final break")
            << QByteArray("10 cload 3\r\n20 end\r\n")
            << QStringList{"Befehl\tR 0\t", "\t0\t", "10 cload 3", "\t3\t",
                           "20 end",        "\t3\t", "20 end"}
            << 0;
        QTest::newRow("LF only") << QByteArray("10 cload 3\n20 end")
                                 << QStringList{"Befehl\tR 0\t", "\t0\t", "10 cload 3", "\t3\t",
                                                "20 end",        "\t3\t", "20 end"}
                                 << 0;
        QTest::newRow("lone CR makes a line")
            << QByteArray("10 cload 3\r\r\n20 end")
            << QStringList{"Befehl\tR 0\t", "\t0\t", "10 cload 3", "\t3\t", "", "\t3\t", ""} << 7;
        QTest::newRow("Windows-1252")
            << QByteArray("// Z\xE4hler\r\n10 cload 3\r\n20 Gr\xFC\xDF \x80")
            << QStringList{"Befehl\tR 0\t",
                           "\t0\t",
                           "10 cload 3",
                           "\t3\t",
                           QString::fromUtf8("20 Grüß €"),
                           "\t3\t",
                           QString::fromUtf8("20 Grüß €")}
            << 5;
    }
    void loading() {
        QFETCH(QByteArray, bytes);
        const QString name = m_dir.filePath(QStringLiteral("bytes%1.rmp").arg(++m_files));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const Run run = runZevo({"--protocol-kind", "1", "--last-register", "0", name});
        QTEST(run.out, "protocol");
        QTEST(run.status, "status");
    }

    // The limit ends an endless loop after exactly N steps, each with its entry;
    // a program whose counter ends at N is not cut off.
    void stepLimit() {
        const QString endless = programFile({"10 cadd 1", "20 goto 10"});
        Run run = runZevo({"--max-steps", "5000", "--last-register", "0", endless});
        QCOMPARE(run.status, 1);
        QCOMPARE(tail(run), ending(Limit, 5000));
        QCOMPARE(run.out.size(), 2 + 5000);
        QCOMPARE(run.out.last(), QStringLiteral("2500\t"));

        run = runZevo({"--no-protocol", "--max-steps=3", "--last-register=0", endless});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QStringList{"2\t"});
        QCOMPARE(tail(run), ending(Limit, 3));

        const QString three = programFile({"10 cload 5", "20 store 1", "30 end"});
        // The limit counts as the counter does: the final "end" is not a step
        // that counts, and the step that would pass the limit leaves no trace.
        run = runZevo({"--max-steps", "2", three});
        QCOMPARE(run.status, 0);
        QCOMPARE(tail(run), ending(Success, 2));
        run = runZevo({"--max-steps", "1", "--last-register", "1", three});
        QCOMPARE(run.status, 1);
        QCOMPARE(tail(run), ending(Limit, 1));
        QCOMPARE(run.out.size(), 3);
        QCOMPARE(run.out.last(), QStringLiteral("5\t0\t"));

        // The default limit is one million steps.
        run = runZevo({"--no-protocol", endless});
        QCOMPARE(run.status, 1);
        QCOMPARE(tail(run), ending(Limit, 1000000));
    }

    // Output that cannot be written is not reported as success, and the run
    // ends at the first failed write rather than at the step limit.
    void fullOutput() {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full");
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(ZEVO_RUN_PATH),
                      {programFile({"10 cadd 1", "20 goto 10"})});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 2);
        const QStringList err = linesOf(process.readAllStandardError());
        QCOMPARE(err.size(), 2);
        QCOMPARE(err[0], QStringLiteral("Stream-Schreibfehler."));
        QVERIFY2(err[1].mid(10).toInt() < 100000, qPrintable(err[1]));
    }

    // Names are opened by their bytes: a Latin-1 name is found. An empty name
    // gets the German message alone.
    void fileNames() {
#ifdef Q_OS_WIN
        // Windows gives names as UTF-16: one outside its code page 1252 is
        // found too, not turned into "?" on the way through the command line.
        const QString path = m_dir.filePath(QStringLiteral("p\u03bb\u4e2d.rmp"));
        QFile program(path);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("10 end\r\n");
        program.close();
        const Run found = runZevo({QStringLiteral("--no-protocol"), path});
        QCOMPARE(found.status, 0);
#else
        const QByteArray name = QFile::encodeName(m_dir.path()) + "/p\xE4.rmp";
        FILE* file = std::fopen(name.constData(), "wb");
        QVERIFY(file);
        // QTemporaryDir removes by QString names, which cannot spell these bytes.
        const auto removeFile = qScopeGuard([&] { std::remove(name.constData()); });
        std::fputs("10 end\r\n", file);
        std::fclose(file);
        QProcess process;
        process.start(QStringLiteral("/bin/sh"),
                      {"-c", "exec \"$0\" --no-protocol \"$(printf '%s/p\\344.rmp' \"$1\")\"",
                       QStringLiteral(ZEVO_RUN_PATH), m_dir.path()});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
#endif

        const Run run = runZevo({QString()});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err.size(), 2);
    }

    void examples_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Texts>("inputs");
        QTest::addColumn<Values>("outputs");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("steps");
        using Out = Values;

        QTest::newRow("multiplikation 6*7")
            << "multiplikation.rmp" << Texts{{1, "6"}, {2, "7"}} << Out{{3, 42}} << 0 << 62;
        QTest::newRow("multiplikation 0*9")
            << "multiplikation.rmp" << Texts{{1, "0"}, {2, "9"}} << Out{{3, 0}} << 0 << 78;
        QTest::newRow("multiplikation 9*0")
            << "multiplikation.rmp" << Texts{{1, "9"}, {2, "0"}} << Out{{3, 0}} << 0 << 6;
        QTest::newRow("multiplikation 1*1")
            << "multiplikation.rmp" << Texts{{1, "1"}, {2, "1"}} << Out{{3, 1}} << 0 << 14;
        QTest::newRow("fakultaet 0") << "fakultaet.rmp" << Texts{{1, "0"}} << Out{{2, 1}} << 0 << 6;
        QTest::newRow("fakultaet 1")
            << "fakultaet.rmp" << Texts{{1, "1"}} << Out{{2, 1}} << 0 << 14;
        QTest::newRow("fakultaet 5")
            << "fakultaet.rmp" << Texts{{1, "5"}} << Out{{2, 120}} << 0 << 46;
        QTest::newRow("fakultaet 12")
            << "fakultaet.rmp" << Texts{{1, "12"}} << Out{{2, 479001600}} << 0 << 102;
        QTest::newRow("fakultaet 13 overflows")
            << "fakultaet.rmp" << Texts{{1, "13"}} << Out{{2, 1037836800}, {3, 3}} << 8 << 86;
        QTest::newRow("potenz 2^10")
            << "potenz.rmp" << Texts{{1, "2"}, {2, "10"}} << Out{{3, 1024}} << 0 << 86;
        QTest::newRow("potenz 3^0")
            << "potenz.rmp" << Texts{{1, "3"}, {2, "0"}} << Out{{3, 1}} << 0 << 6;
        QTest::newRow("potenz 0^3")
            << "potenz.rmp" << Texts{{1, "0"}, {2, "3"}} << Out{{3, 0}} << 0 << 30;
        QTest::newRow("potenz (-2)^3")
            << "potenz.rmp" << Texts{{1, "-2"}, {2, "3"}} << Out{{3, -8}} << 0 << 30;
        QTest::newRow("potenz 2^31 overflows")
            << "potenz.rmp" << Texts{{1, "2"}, {2, "31"}} << Out{{3, 1073741824}} << 8 << 249;
        QTest::newRow("ggt 12 18")
            << "ggt.rmp" << Texts{{1, "12"}, {2, "18"}} << Out{{3, 6}} << 0 << 26;
        QTest::newRow("ggt 18 12")
            << "ggt.rmp" << Texts{{1, "18"}, {2, "12"}} << Out{{3, 6}} << 0 << 26;
        QTest::newRow("ggt 7 7") << "ggt.rmp" << Texts{{1, "7"}, {2, "7"}} << Out{{3, 7}} << 0
                                 << 13;
        QTest::newRow("ggt 0 5") << "ggt.rmp" << Texts{{1, "0"}, {2, "5"}} << Out{{3, 5}} << 0 << 4;
        QTest::newRow("ggt 5 0") << "ggt.rmp" << Texts{{1, "5"}, {2, "0"}} << Out{{3, 5}} << 0 << 7;
        QTest::newRow("ggt 17 5") << "ggt.rmp" << Texts{{1, "17"}, {2, "5"}} << Out{{3, 1}} << 0
                                  << 49;
        QTest::newRow("ggt 1 100")
            << "ggt.rmp" << Texts{{1, "1"}, {2, "100"}} << Out{{3, 1}} << 0 << 805;
        QTest::newRow("summe leer") << "summe.rmp" << Texts{{1, "0"}} << Out{{2, 0}} << 0 << 8;
        QTest::newRow("summe 4+5+6")
            << "summe.rmp" << Texts{{1, "3"}, {10, "4"}, {11, "5"}, {12, "6"}}
            << Out{{2, 15}, {3, 13}} << 0 << 41;
        QTest::newRow("summe fuenf")
            << "summe.rmp" << Texts{{1, "5"},    {10, "1"},    {11, "-2"}, {12, "30"},
                                    {13, "400"}, {14, "5000"}, {15, "99"}}
            << Out{{2, 5429}} << 0 << 63;
        QTest::newRow("maximum in der Mitte")
            << "maximum.rmp" << Texts{{1, "3"}, {2, "9"}, {3, "4"}, {4, "1"}, {5, "7"}}
            << Out{{6, 9}} << 0 << 16;
        QTest::newRow("maximum vorn")
            << "maximum.rmp" << Texts{{1, "9"}, {2, "1"}, {3, "1"}, {4, "1"}, {5, "1"}}
            << Out{{6, 9}} << 0 << 14;
        QTest::newRow("maximum hinten")
            << "maximum.rmp" << Texts{{1, "1"}, {2, "1"}, {3, "1"}, {4, "1"}, {5, "9"}}
            << Out{{6, 9}} << 0 << 16;
        QTest::newRow("maximum negativ")
            << "maximum.rmp" << Texts{{1, "-5"}, {2, "-3"}, {3, "-9"}, {4, "-4"}, {5, "-8"}}
            << Out{{6, -3}} << 0 << 16;
        QTest::newRow("maximum gleich")
            << "maximum.rmp" << Texts{{1, "4"}, {2, "4"}, {3, "4"}, {4, "4"}, {5, "4"}}
            << Out{{6, 4}} << 0 << 14;
        QTest::newRow("quadrate 0") << "quadrate.rmp" << Texts{{1, "0"}} << Out{{10, 0}} << 0 << 8;
        QTest::newRow("quadrate 4") << "quadrate.rmp" << Texts{{1, "4"}}
                                    << Out{{10, 1}, {11, 4}, {12, 9}, {13, 16}, {14, 0}} << 0 << 64;
        QTest::newRow("quadrate 41") << "quadrate.rmp" << Texts{{1, "41"}}
                                     << Out{{10, 1}, {49, 1600}, {50, 1681}} << 0 << 582;
    }
    void examples() {
        QFETCH(QString, file);
        QFETCH(Texts, inputs);
        QFETCH(Values, outputs);
        QFETCH(int, status);
        QFETCH(int, steps);
        const Run run = runZevo(registerArguments(inputs) << "--no-protocol"
                                                          << "--last-register"
                                                          << "50" << example(file));
        QCOMPARE(run.status, status);
        QCOMPARE(run.out.size(), 1);
        const QStringList values = run.out.first().split(u'\t');
        QCOMPARE(values.size(), 52); // 51 values, each followed by a TAB
        for (const auto& [n, value] : outputs)
            QCOMPARE(values[n].toInt(), value);
        QCOMPARE(tail(run).value(1), QStringLiteral("Schritte: %1").arg(steps));
    }

    void examplesAreProgramFiles() {
        const QDir dir(QStringLiteral(ZEVO_EXAMPLES_DIR));
        const QStringList names = dir.entryList({QStringLiteral("*.rmp")}, QDir::Files);
        QVERIFY(names.size() >= 6);
        for (const QString& name : names) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
            QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
            const QString text = decodeWindows1252(bytes);
            QVERIFY2(text.startsWith(u"//"), qPrintable(name));
            QVERIFY2(text.contains(u"Eingabe:") && text.contains(u"Ausgabe:"), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestZevoRun)
#include "tst_zevorun.moc"
