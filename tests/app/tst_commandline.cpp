// zevo --zoom: the factor reaches Qt only when it is a number from 1 to 4; any
// other value is refused, so a typo never starts a window of a strange size.
#include "commandline.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void zoom_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("zoom"); // 0: refused
        QTest::newRow("two") << QStringList{"--zoom", "2"} << 2.0;
        QTest::newRow("German comma") << QStringList{"--zoom=1,5"} << 1.5;
        QTest::newRow("lowest") << QStringList{"--zoom", "1"} << 1.0;
        QTest::newRow("highest") << QStringList{"--zoom", "4.0"} << 4.0;
        QTest::newRow("below") << QStringList{"--zoom", "0.9"} << 0.0;
        QTest::newRow("above") << QStringList{"--zoom", "4.01"} << 0.0;
        QTest::newRow("word") << QStringList{"--zoom", "groß"} << 0.0;
        QTest::newRow("missing") << QStringList{"--zoom"} << 0.0;
    }
    void zoom() {
        QFETCH(QStringList, arguments);
        QFETCH(double, zoom);
        const CommandLine line = parseCommandLine(arguments);
        if (zoom == 0.0) {
            QVERIFY(!line.error.isEmpty());
        } else {
            QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
            QCOMPARE(line.zoom.value_or(0.0), zoom);
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
