#include "codepage.h"
#include "linelist.h"

#include <QTest>

class TestCodepage : public QObject {
    Q_OBJECT
private slots:
    void highBytes_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x81;
        QTest::newRow("low quote") << 0x84 << 0x201E;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("left quote") << 0x93 << 0x201C;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
        QTest::newRow("nbsp") << 0xA0 << 0xA0;
        QTest::newRow("sharp s") << 0xDF << 0xDF;
        QTest::newRow("u umlaut") << 0xFC << 0xFC;
        QTest::newRow("nul") << 0x00 << 0x00;
        QTest::newRow("del") << 0x7F << 0x7F;
    }
    void highBytes() {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const QByteArray bytes(1, char(byte));
        const QString text = decodeWindows1252(bytes);
        QCOMPARE(text.size(), 1);
        QCOMPARE(int(text[0].unicode()), unicode);
        qsizetype bad = 99;
        QCOMPARE(encodeWindows1252(text, &bad), bytes);
        QCOMPARE(bad, qsizetype(-1));
    }

    // Every byte survives a load and a save unchanged.
    void allBytesRoundTrip() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(encodeWindows1252(text), all);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(),
                 256); // no two bytes share a character
    }

    void unencodable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("firstBad");
        QTest::newRow("greek") << QString::fromUtf8("10 \u03B1 \u20AC") << QByteArray("10 ? \x80")
                               << 3;
        QTest::newRow("C1 without byte") << QString(QChar(0x80)) << QByteArray("?") << 0;
        QTest::newRow("surrogate pair")
            << QString::fromUtf8("a\U0001F600") << QByteArray("a??") << 1;
        QTest::newRow("empty") << QString() << QByteArray() << -1;
    }
    void unencodable() {
        QFETCH(QString, text);
        QFETCH(int, firstBad);
        qsizetype bad = 99;
        QTEST(encodeWindows1252(text, &bad), "bytes");
        QCOMPARE(bad, qsizetype(firstBad));
    }

    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("crLf");
        QTest::newRow("empty") << "" << QStringList{} << "";
        QTest::newRow("one line") << "10 end" << QStringList{"10 end"} << "10 end";
        QTest::newRow("final break not a line") << "a\r\nb\r\n"
                                                << QStringList{"a", "b"} << "a\r\nb\r\n";
        QTest::newRow("only a break") << "\r\n" << QStringList{""} << "\r\n";
        QTest::newRow("empty line inside")
            << "a\r\n\r\nb" << QStringList{"a", "", "b"} << "a\r\n\r\nb";
        QTest::newRow("two final breaks") << "a\r\n\r\n" << QStringList{"a", ""} << "a\r\n\r\n";
        QTest::newRow("lone LF") << "a\nb\n" << QStringList{"a", "b"} << "a\r\nb\r\n";
        QTest::newRow("lone CR") << "a\rb" << QStringList{"a", "b"} << "a\r\nb";
        QTest::newRow("CR CR LF") << "a\r\r\nb" << QStringList{"a", "", "b"} << "a\r\n\r\nb";
        QTest::newRow("LF CR") << "a\n\rb" << QStringList{"a", "", "b"} << "a\r\n\r\nb";
        QTest::newRow("editor's block end")
            << QStringLiteral("a\u2029b") << QStringList{"a", "b"} << "a\r\nb";
        QTest::newRow("tab kept") << "10\tend \r\n" << QStringList{"10\tend "} << "10\tend \r\n";
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(splitProgramLines(text), lines);
        QTEST(withCrLfLineEnds(text), "crLf");
        // Splitting after making the breaks CR LF gives the same lines.
        QCOMPARE(splitProgramLines(withCrLfLineEnds(text)), lines);
    }

    void lineListReadsEmptyOutside() {
        const LineList list(QStringList{"a", "b"});
        QCOMPARE(list.lineCount(), 2);
        QCOMPARE(list.lineText(1), QStringLiteral("b"));
        QCOMPARE(list.lineText(2), QString());
        QCOMPARE(list.lineText(-1), QString());
    }
};

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
