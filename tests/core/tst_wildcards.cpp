// On Windows cmd.exe hands "falsch\*.rmp" over as it is: zevo-run expands it
// as Windows' own programs do, or a class's programs are never graded.
#include "wildcards.h"
#include "zevoerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestWildcards : public QObject {
    Q_OBJECT
private slots:
    void matching_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star") << "*.rmp"
                              << "ggt.rmp" << true;
        QTest::newRow("case ignored") << "*.rmp"
                                      << "GGT.RMP" << true;
        QTest::newRow("umlaut case ignored") << "ü*"
                                             << "Übung.rmp" << true;
        QTest::newRow("other extension") << "*.rmp"
                                         << "ggt.rmpx" << false;
        QTest::newRow("question mark is one") << "a?.rmp"
                                              << "ab.rmp" << true;
        QTest::newRow("question mark not none") << "a?.rmp"
                                                << "a.rmp" << false;
        QTest::newRow("star may be empty") << "a*b"
                                           << "ab" << true;
        QTest::newRow("backtracking") << "*a*b"
                                      << "xaaxb" << true;
        QTest::newRow("bracket is literal") << "[1]*"
                                            << "1.rmp" << false;
    }
    void matching() {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(matchesWildcard(pattern, name), matches);
    }

    void expansion() {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QVERIFY(folder.mkdir(QStringLiteral("falsch")) &&
                folder.mkdir(QStringLiteral("falsch/d.rmp")));
        for (const char* name : {"falsch/b.rmp", "falsch/A.RMP", "falsch/c.txt", "falsch/C.rmp"}) {
            QFile file(folder.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString pattern = dir.path() + QStringLiteral("/falsch/*.rmp");
        const QString prefix = dir.path() + QStringLiteral("/falsch/");
        // Name order ignoring case; a folder is no program; a plain name stays.
        QCOMPARE(expandWildcards({QStringLiteral("ggt.rmp"), pattern}),
                 (QStringList{"ggt.rmp", prefix + "A.RMP", prefix + "b.rmp", prefix + "C.rmp"}));
        try {
            expandWildcards({dir.path() + QStringLiteral("/falsch/*.aufgabe")});
            QFAIL("no error");
        } catch (const ZevoError& e) {
            QVERIFY(e.message().contains(u"*.aufgabe"));
        }
    }
};

QTEST_GUILESS_MAIN(TestWildcards)
#include "tst_wildcards.moc"
