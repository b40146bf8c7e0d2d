#include "integertext.h"
#include "zevoerror.h"

#include <QTest>

class TestIntegerText : public QObject {
    Q_OBJECT
private slots:
    void accepted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("value");
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("plus") << "+12" << 12;
        QTest::newRow("minus") << "-12" << -12;
        QTest::newRow("leading spaces") << "   42" << 42;
        QTest::newRow("max") << "2147483647" << 2147483647;
        QTest::newRow("min") << "-2147483648" << qint32(-2147483647 - 1);
        QTest::newRow("many leading zeros") << "000000000000000000001" << 1;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("x hex") << "x1f" << 31;
        QTest::newRow("X hex") << "XfF" << 255;
        QTest::newRow("0x hex") << "0x10" << 16;
        QTest::newRow("0X hex") << "0X10" << 16;
        QTest::newRow("hex all ones is -1") << "$FFFFFFFF" << -1;
        QTest::newRow("hex sign bit") << "$80000000" << qint32(-2147483647 - 1);
        QTest::newRow("hex leading zeros") << "$000000000001" << 1;
        QTest::newRow("hex after spaces") << "  $a" << 10;
    }
    void accepted() {
        QFETCH(QString, text);
        QFETCH(qint32, value);
        QCOMPARE(tryParseInteger(text), std::optional<qint32>(value));
        QCOMPARE(parseInteger(text), value);
    }

    void refused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("spaces only") << "   ";
        QTest::newRow("trailing blank") << "5 ";
        QTest::newRow("tab before") << "\t5";
        QTest::newRow("sign only") << "-";
        QTest::newRow("double sign") << "--5";
        QTest::newRow("above max") << "2147483648";
        QTest::newRow("below min") << "-2147483649";
        QTest::newRow("ten digits typed") << "9999999999";
        QTest::newRow("huge") << "123456789012345678901234567890";
        QTest::newRow("letters") << "five";
        QTest::newRow("colon") << "10:";
        QTest::newRow("decimal point") << "1.5";
        QTest::newRow("dollar only") << "$";
        QTest::newRow("0x only") << "0x";
        QTest::newRow("hex too wide") << "$100000000";
        QTest::newRow("signed hex") << "-$10";
        QTest::newRow("bad hex digit") << "$1G";
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0665));
        QTest::newRow("fullwidth digit") << QString(QChar(0xFF15));
    }
    void refused() {
        QFETCH(QString, text);
        QVERIFY(!tryParseInteger(text));
        try {
            parseInteger(text);
            QFAIL("no error");
        } catch (const ZevoError& e) {
            QCOMPARE(e.message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
        }
    }
};

QTEST_GUILESS_MAIN(TestIntegerText)
#include "tst_integertext.moc"
