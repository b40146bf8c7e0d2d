// zevo's command line: --zoom reaches Qt only as a number from 1 to 4, at most
// one program file, and every other mistake is refused with a German message
// that names it, so a typo never starts a window of a strange size or silently
// without the file the user asked for.
#include "commandline.h"
#include "nativename.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("zoom");     // 0: none
        QTest::addColumn<QString>("file");    // empty: none
        QTest::addColumn<QString>("refusal"); // part of the message; empty: accepted
        QTest::newRow("two") << QStringList{"--zoom", "2"} << 2.0 << ""
                             << "";
        QTest::newRow("German comma") << QStringList{"--zoom=1,5"} << 1.5 << ""
                                      << "";
        QTest::newRow("lowest") << QStringList{"--zoom", "1"} << 1.0 << ""
                                << "";
        QTest::newRow("highest") << QStringList{"--zoom", "4.0"} << 4.0 << ""
                                 << "";
        QTest::newRow("below") << QStringList{"--zoom", "0.9"} << 0.0 << ""
                               << "'0.9'";
        QTest::newRow("above") << QStringList{"--zoom", "4.01"} << 0.0 << ""
                               << "'4.01'";
        QTest::newRow("word") << QStringList{"--zoom", "groß"} << 0.0 << ""
                              << "'groß'";
        QTest::newRow("missing") << QStringList{"--zoom"} << 0.0 << ""
                                 << "Bei --zoom fehlt";
        QTest::newRow("unknown option") << QStringList{"--foo"} << 0.0 << ""
                                        << "Unbekannte Option '--foo'";
        QTest::newRow("unknown beside a file") << QStringList{"a.rmp", "-x=1"} << 0.0 << ""
                                               << "Unbekannte Option '-x'";
        QTest::newRow("value for a switch") << QStringList{"--version=2"} << 0.0 << ""
                                            << "Option --version nimmt keinen Wert";
        QTest::newRow("no value for Qt's option") << QStringList{"-style"} << 0.0 << ""
                                                  << "Option -style verlangt einen Wert";
        QTest::newRow("file") << QStringList{"aufgabe.rmp"} << 0.0 << "aufgabe.rmp"
                              << "";
        QTest::newRow("file and zoom") << QStringList{"Ü 1.rmp", "--zoom", "2"} << 2.0 << "Ü 1.rmp"
                                       << "";
        QTest::newRow("-- ends the options")
            << QStringList{"--zoom", "2", "--", "--zoom"} << 2.0 << "--zoom"
            << "";
        QTest::newRow("two files") << QStringList{"a.rmp", "b.rmp"} << 0.0 << ""
                                   << "Mehr als eine Programmdatei angegeben: a.rmp, b.rmp";
        QTest::newRow("register beyond 50") << QStringList{"-r", "51=1", "a.rmp"} << 0.0 << ""
                                            << "Ungültige Registerangabe '51=1'";
        QTest::newRow("register value no number")
            << QStringList{"a.rmp", "--register", "1=zwölf"} << 0.0 << "" << "'1=zwölf'";
        QTest::newRow("register value beyond 32 bits")
            << QStringList{"-r", "1=2147483648"} << 0.0 << "" << "'1=2147483648'";
        QTest::newRow("Qt's own option")
            << QStringList{"-platform", "offscreen", "x.rmp"} << 0.0 << "x.rmp"
            << "";
    }
    void arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(double, zoom);
        QFETCH(QString, file);
        QFETCH(QString, refusal);
        const CommandLine line = parseCommandLine(arguments);
        if (!refusal.isEmpty()) {
            QVERIFY2(line.error.contains(refusal), qPrintable(line.error));
            return;
        }
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        QCOMPARE(line.zoom.value_or(0.0), zoom);
        QCOMPARE(line.file, file);
    }

    // The grading window opens a case this way: values as the grid reads them.
    void registers() {
        const CommandLine line =
            parseCommandLine({"-r", "1=12", "a.rmp", "--register=2=$1F", "-r", "1=-3"});
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        QCOMPARE(line.file, QStringLiteral("a.rmp"));
        QCOMPARE(line.registers, (QList<QPair<qint32, qint32>>{{1, 12}, {2, 31}, {1, -3}}));
    }

    // A file manager hands over a name written on a Latin-1 system: its bytes
    // must reach the file system unchanged, as zevo-run reads them.
    void nameBytesKept() {
#ifdef Q_OS_WIN
        QSKIP("Windows keeps the command line as text, not as bytes");
#endif
        const QByteArray name = "\xdc" "bung 1.rmp";
        QByteArray program = "zevo";
        QByteArray argument = name;
        char* argv[] = {program.data(), argument.data(), nullptr};
        const CommandLine line = parseCommandLine(programArguments(2, argv));
        QCOMPARE(encodeArgument(line.file), name);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
