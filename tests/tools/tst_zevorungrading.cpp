// zevo-run --aufgabe as a teacher uses it on a class folder: the report, the
// CSV and JSON tables, names that try to mislead, and the examples against
// their task files.
#include "nativename.h"
#include "zevorunprocess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <tuple>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace zevorun;

class TestZevoRunGrading : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void cleanupTestCase() { QVERIFY(removeTreeByBytes(m_dir.path())); }

    // A folder of programs graded with report, CSV and JSON; relative names as given.
    void grading() {
        const QDir dir(m_dir.filePath(QStringLiteral("klasse")));
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write("t.txt", "Titel: Summe; x\nSchrittlimit: 3\nR1=3 R2=4 -> R3=7\nR1=0 R2=0 -> R3=0\n"
                       "R1=2147483647 R2=1 -> \"Akkumulatorüberlauf, Abbruch!\"\n");
        write("add.rmp", "10 load 1\r\n20 add 2\r\n30 store 3\r\n40 end\r\n");
        write("-x;y.rmp", "10 load 1\r\n20 store 3\r\n30 end\r\n");
        write("loop.rmp", "10 goto 10\r\n");
        const QStringList programs{"add.rmp", "-x;y.rmp", "loop.rmp", "fehlt.rmp"};
        const QString missing =
            QStringLiteral("Datei %1 kann nicht geöffnet werden.")
                .arg(QDir::toNativeSeparators(dir.filePath("fehlt.rmp")));
        const QStringList report{
            "Aufgabe: Summe; x (3 Fälle, Schrittlimit 3)",
            "add.rmp: 3 von 3 Fällen bestanden, höchstens 3 Schritte",
            "-x;y.rmp: 1 von 3 Fällen bestanden, höchstens 2 Schritte; Fall 1 (R1=3 R2=4): "
            "erwartet R3=7, erhalten R3=3",
            "loop.rmp: 0 von 3 Fällen bestanden; Fall 1 (R1=3 R2=4): erwartet R3=7, erhalten \"" +
                Limit + '"',
            "fehlt.rmp: 0 von 3 Fällen bestanden; " + visibleText(missing),
            "Ergebnis: 1 von 4 Programmen haben alle Fälle bestanden."};

        Run run = runZevo(QStringList{"--aufgabe", "t.txt", "--csv=t.csv", "--json", "t.json", "--"} +
                              programs,
                          dir.path());
        QCOMPARE(run.out, report);
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.isEmpty());
        // Tables grading wrote are replaced by the next grading.
        run = runZevo(QStringList{"--aufgabe", "t.txt", "--csv=t.csv", "--json", "t.json", "--"} +
                          programs,
                      dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.isEmpty());

        const QString overflow = QStringLiteral("Akkumulatorüberlauf, Abbruch!");
        const QStringList inputs{"R1=3 R2=4", "R1=0 R2=0", "R1=2147483647 R2=1"};
        const QStringList expected{"R3=7", "R3=0", overflow};
        QStringList csv{"\uFEFFProgramm;Fall;Eingabe;Bestanden;Schritte;Erwartet;Erhalten;Meldung",
                        "add.rmp;1;R1=3 R2=4;ja;3;R3=7;R3=7;" + Success,
                        "add.rmp;2;R1=0 R2=0;ja;3;R3=0;R3=0;" + Success,
                        "add.rmp;3;R1=2147483647 R2=1;ja;1;" + QStringList(3, overflow).join(';'),
                        "\"'-x;y.rmp\";1;R1=3 R2=4;nein;2;R3=7;R3=3;" + Success,
                        "\"'-x;y.rmp\";2;R1=0 R2=0;ja;2;R3=0;R3=0;" + Success,
                        "\"'-x;y.rmp\";3;R1=2147483647 R2=1;nein;2;" + overflow + ';' + Success +
                            ';' + Success};
        for (const auto& [name, steps, got] : {std::tuple("loop.rmp", 3, Limit),
                                               std::tuple("fehlt.rmp", 0, visibleText(missing))})
            for (int i = 0; i < 3; ++i)
                csv << QStringLiteral("%1;%2;%3;nein;%4;%5;%6;%6")
                           .arg(name, QString::number(i + 1), inputs[i], QString::number(steps),
                                expected[i], got);
        QFile csvFile(dir.filePath("t.csv"));
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csvFile.readAll()), csv.join("\r\n") + "\r\n");

        QFile jsonFile(dir.filePath("t.json"));
        QVERIFY(jsonFile.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(jsonFile.readAll()).object();
        QCOMPARE(json.value("aufgabe").toString(), QStringLiteral("Summe; x"));
        QCOMPARE(json.value("schrittlimit").toInt(), 3);
        const QJsonArray rows = json.value("ergebnisse").toArray();
        QCOMPARE(rows.size(), 12);
        QCOMPARE(rows[3].toObject(),
                 (QJsonObject{{"programm", "-x;y.rmp"}, {"fall", 1}, {"eingabe", "R1=3 R2=4"},
                              {"bestanden", false}, {"schritte", 2}, {"erwartet", "R3=7"},
                              {"erhalten", "R3=3"}, {"meldung", Success}}));

#ifndef Q_OS_WIN
        // A table that cannot be written: exit 2, the report stays; a device stays a device.
        run = runZevo(QStringList{"--aufgabe", "t.txt", "--json", "/dev/full", "--"} + programs,
                      dir.path());
        QCOMPARE(run.out, report);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err,
                 QStringList{"zevo-run: Datei /dev/full kann nicht geschrieben werden."});
#endif
    }

    // A submission folder as the shell hands it over: a name that looks like an
    // option, names with control characters or bytes that are not UTF-8, and a
    // pipe. Each program is one line of the report, and nothing hangs.
    void gradingOddNames() {
#ifdef Q_OS_WIN
        QSKIP("line breaks and bytes that are not UTF-8 in names, and FIFOs, are POSIX's");
#else
        const QDir dir(m_dir.filePath(QStringLiteral("namen")));
        QVERIFY(dir.mkpath(QStringLiteral(".")));
        const QByteArray path = QFile::encodeName(dir.path()) + '/';
        const auto write = [&](const QByteArray& name, const QByteArray& bytes) {
            FILE* file = std::fopen((path + name).constData(), "wb");
            QVERIFY(file);
            std::fputs(bytes.constData(), file);
            std::fclose(file);
        };
        write("t.txt", "R1=1 -> R1=1\n");
        write("-r.rmp", "10 end\r\n");
        write("a\nb.rmp", "10 end\r\n");
        write("nicht\xe4utf8.rmp", "10 end\r\n");
        // Typed with a backslash: must not show as the Latin-1 name above.
        write("nicht\\xe4utf8.rmp", "10 cload 2\r\n20 store 1\r\n30 end\r\n");
        write("x.rmp: 1 von 1 F\xc3\xa4llen bestanden\x1b[8m.rmp", "10 cload 5\r\n20 store 1\r\n30 end\r\n");
        QCOMPARE(::mkfifo((path + "fifo.rmp").constData(), 0600), 0);

        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral("/bin/sh"),
                      {"-c", "LC_ALL=C; export LC_ALL; exec \"$0\" --aufgabe t.txt --csv t.csv "
                             "--json t.json *.rmp ./-r.rmp",
                       QStringLiteral(ZEVO_RUN_PATH)});
        const bool finished = process.waitForFinished(20000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        QVERIFY(finished);
        QCOMPARE(process.exitCode(), 1);
        const QString opened =
            QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(dir.filePath("fifo.rmp"));
        QCOMPARE(linesOf(process.readAllStandardOutput()),
                 (QStringList{"Aufgabe: t.txt (1 Fall, Schrittlimit 1000000)",
                              "-r.rmp: 1 von 1 Fällen bestanden, höchstens 0 Schritte",
                              "a\\nb.rmp: 1 von 1 Fällen bestanden, höchstens 0 Schritte",
                              "fifo.rmp: 0 von 1 Fällen bestanden; " + opened,
                              "nicht\\\\xe4utf8.rmp: 0 von 1 Fällen bestanden; Fall 1 (R1=1): "
                              "erwartet R1=1, erhalten R1=2",
                              "nicht\\xe4utf8.rmp: 1 von 1 Fällen bestanden, höchstens 0 Schritte",
                              "x.rmp: 1 von 1 Fällen bestanden\\x1b[8m.rmp: 0 von 1 Fällen "
                              "bestanden; Fall 1 (R1=1): erwartet R1=1, erhalten R1=5",
                              "Ergebnis: 3 von 6 Programmen haben alle Fälle bestanden."}));
        QCOMPARE(linesOf(process.readAllStandardError()),
                 QStringList{"zevo-run: Programm ./-r.rmp ist mehrfach angegeben und wird einmal "
                             "bewertet"});

        // The tables show names as the report does: no raw line break or
        // escape in a CSV cell.
        QFile csvFile(dir.filePath("t.csv"));
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QString csv = QString::fromUtf8(csvFile.readAll());
        QVERIFY(csv.contains(QStringLiteral("\r\na\\nb.rmp;1;")));
        QVERIFY(csv.contains(QStringLiteral("\r\nnicht\\xe4utf8.rmp;1;")));
        QFile jsonFile(dir.filePath("t.json"));
        QVERIFY(jsonFile.open(QIODevice::ReadOnly));
        const QJsonArray rows =
            QJsonDocument::fromJson(jsonFile.readAll()).object().value("ergebnisse").toArray();
        QStringList names;
        for (const auto& row : rows)
            names << row.toObject().value("programm").toString();
        QCOMPARE(names, (QStringList{"-r.rmp", "a\nb.rmp", "fifo.rmp", "nicht\\\\xe4utf8.rmp",
                                     "nicht\\xe4utf8.rmp",
                                     QString::fromUtf8("x.rmp: 1 von 1 Fällen bestanden\x1b[8m.rmp")}));
        QCOMPARE(rows[2].toObject().value("meldung").toString(), opened);
#endif
    }

    // Each example passes every case of its task file; each wrong program in
    // falsch/ (its second line names its task) fails at least one.
    void examplesAgainstTheirTasks() {
        const QDir dir(QStringLiteral(ZEVO_EXAMPLES_DIR));
        const QStringList tasks = dir.entryList({QStringLiteral("*.aufgabe")}, QDir::Files);
        QCOMPARE(tasks.size(), 7);
        QStringList wrongSeen;
        for (const QString& task : tasks) {
            const QString base = task.chopped(8);
            QStringList wrong;
            const QDir falsch(dir.filePath(QStringLiteral("falsch")));
            for (const QString& name : falsch.entryList({QStringLiteral("*.rmp")}, QDir::Files)) {
                QFile file(falsch.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly));
                if (file.readAll().split('\n').value(1).startsWith("// " + task.toLatin1()))
                    wrong << falsch.filePath(name);
            }
            wrongSeen += wrong;
            const Run run = runZevo(QStringList{"--aufgabe", dir.filePath(task),
                                                dir.filePath(base + ".rmp")} + wrong);
            QCOMPARE(run.status, wrong.isEmpty() ? 0 : 1);
            QCOMPARE(run.out.size(), 3 + wrong.size());
            const QString cases = run.out.first().section(u'(', -1).section(u' ', 0, 0);
            QVERIFY2(run.out[1].contains(QStringLiteral(": %1 von %1 F").arg(cases)),
                     qPrintable(run.out[1]));
            for (qsizetype i = 0; i < wrong.size(); ++i) {
                QVERIFY(run.out[2 + i].startsWith(wrong[i] + u':'));
                QVERIFY2(!run.out[2 + i].contains(QStringLiteral(": %1 von %1 F").arg(cases)),
                         qPrintable(run.out[2 + i]));
            }
        }
        QCOMPARE(wrongSeen.size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestZevoRunGrading)
#include "tst_zevorungrading.moc"
