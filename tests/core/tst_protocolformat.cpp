#include "fakes.h"
#include "protocolformat.h"
#include "windowrun.h"
#include "zevoerror.h"

#include <QTest>

namespace {
ProtocolLayout layoutOf(int kind, int last, int spacing) {
    return {ProtocolKind(kind), last, ProtocolSpacing(spacing)};
}

// The lines one entry of a run session adds, written at line currentLine.
QStringList entryOf(int kind, int last, RegisterAccess& registers, const ProgramText& program,
                    qint32 currentLine) {
    struct Lines final : ProtocolSink {
        void startProtocol(const QString&) override {}
        void appendEntry(std::span<const QString> entry) override {
            for (const QString& line : entry)
                lines << line;
        }
        QStringList lines;
    } sink;
    PlainSettings settings;
    settings.Kind = ProtocolKind(kind);
    settings.LastRegister = last;
    WindowRun session = makeWindowRun(program, registers, settings);
    session.sink().setSink(&sink);
    session.CurrentLine = currentLine;
    session.writeEntry();
    return sink.lines;
}

QString repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}
} // namespace

class TestProtocolFormat : public QObject {
    Q_OBJECT
private slots:
    void heading_data();
    void heading();
    void registerLine_data();
    void registerLine();
    void widestLineHas613Characters_data();
    void widestLineHas613Characters();
    void unreadableRegisterThrowsBeforeAnyLine();
    void onlyRegistersUpToTheLastAreRead();
    void entryLines_data();
    void entryLines();
};

void TestProtocolFormat::heading_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("registers, R0 only, klein") << 0 << 0 << 0 << "R 0\t";
    QTest::newRow("registers, R0 only, gross") << 0 << 0 << 1 << "Register 0\t";
    QTest::newRow("with instruction, R0 only, klein") << 1 << 0 << 0 << "Befehl\tR 0\t";
    QTest::newRow("with instruction, R0..R2, klein") << 1 << 2 << 0 << "Befehl\tR 0\tR 1\tR 2\t";
    QTest::newRow("with instruction, R0..R2, gross")
        << 1 << 2 << 1 << "Befehl\tRegister 0\tRegister 1\tRegister 2\t";
    QTest::newRow("registers, R0..R3, klein") << 0 << 3 << 0 << "R 0\tR 1\tR 2\tR 3\t";
}

void TestProtocolFormat::heading() {
    QFETCH(int, kind);
    QFETCH(int, last);
    QFETCH(int, spacing);
    QFETCH(QString, expected);
    QCOMPARE(protocolHeading(layoutOf(kind, last, spacing)), expected);
}

void TestProtocolFormat::registerLine_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QList<qint32>>("values");
    QTest::addColumn<QString>("expected");
    // The minus sign counts: a value of 7 characters still gets two TABs under "groß".
    QTest::newRow("gross, 7 digits") << 0 << 1 << QList<qint32>{1234567} << "1234567\t\t";
    QTest::newRow("gross, minus and 6 digits") << 0 << 1 << QList<qint32>{-123456} << "-123456\t\t";
    QTest::newRow("gross, 8 digits") << 0 << 1 << QList<qint32>{12345678} << "12345678\t";
    QTest::newRow("gross, minus and 7 digits") << 0 << 1 << QList<qint32>{-1234567} << "-1234567\t";
    QTest::newRow("gross, smallest value")
        << 0 << 1 << QList<qint32>{std::numeric_limits<qint32>::min()} << "-2147483648\t";
    QTest::newRow("gross, zero") << 0 << 1 << QList<qint32>{0} << "0\t\t";
    QTest::newRow("gross, mixed with instruction")
        << 1 << 1 << QList<qint32>{5, -1234567, 1234567} << "\t5\t\t-1234567\t1234567\t\t";
    QTest::newRow("klein, short and long values")
        << 0 << 0 << QList<qint32>{12345678, -1, 2147483647} << "12345678\t-1\t2147483647\t";
    QTest::newRow("klein with instruction, zeros")
        << 1 << 0 << QList<qint32>{0, 0, 0} << "\t0\t0\t0\t";
}

void TestProtocolFormat::registerLine() {
    QFETCH(int, kind);
    QFETCH(int, spacing);
    QFETCH(QList<qint32>, values);
    QFETCH(QString, expected);
    FakeRegisters registers;
    for (int i = 0; i < values.size(); ++i)
        registers.set(i, values[i]);
    registers.set(int(values.size()), 99); // beyond the last register: never written
    const ProtocolLayout layout = layoutOf(kind, int(values.size()) - 1, spacing);
    QCOMPARE(protocolRegisterLine(layout, registers), expected);
}

void TestProtocolFormat::widestLineHas613Characters_data() {
    QTest::addColumn<int>("spacing");
    QTest::newRow("klein") << 0;
    QTest::newRow("gross") << 1;
}

void TestProtocolFormat::widestLineHas613Characters() {
    QFETCH(int, spacing);
    FakeRegisters registers;
    for (int i = 0; i < RegisterCount; ++i)
        registers.set(i, std::numeric_limits<qint32>::min());
    const QString line = protocolRegisterLine(layoutOf(1, 50, spacing), registers);
    QCOMPARE(line.size(), 613);
    QCOMPARE(line, QStringLiteral("\t") + repeated(QStringLiteral("-2147483648\t"), 51));

    const QString heading = protocolHeading(layoutOf(1, 50, spacing));
    QCOMPARE(heading.count(u'\t'), 52);
    QVERIFY(
        heading.endsWith(spacing ? QStringLiteral("\tRegister 50\t") : QStringLiteral("\tR 50\t")));
}

void TestProtocolFormat::unreadableRegisterThrowsBeforeAnyLine() {
    FakeRegisters registers;
    registers.texts[3] = QStringLiteral("12a");
    FakeProgram program({QStringLiteral("1 end")});
    QStringList appended;
    try {
        appended = entryOf(1, 10, registers, program, 0);
        QFAIL("no error for an unreadable register");
    } catch (const ZevoError& e) {
        QCOMPARE(e.message(), QStringLiteral("'12a' ist kein gültiger Integerwert"));
    }
    QVERIFY(appended.isEmpty());
}

void TestProtocolFormat::onlyRegistersUpToTheLastAreRead() {
    FakeRegisters registers;
    registers.texts[3] = QStringLiteral("kein Wert");
    QCOMPARE(protocolRegisterLine(layoutOf(0, 2, 0), registers), QStringLiteral("0\t0\t0\t"));
}

void TestProtocolFormat::entryLines_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("currentLine");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("registers only") << 0 << 0 << QStringList{"0\t"};
    // The program line stands exactly as typed, blanks and TABs included.
    QTest::newRow("untrimmed line") << 1 << 1 << QStringList{"\t0\t", "  2 load 1\t "};
    QTest::newRow("past the end") << 1 << 2 << QStringList{"\t0\t", ""};
    QTest::newRow("far past the end") << 1 << 1000 << QStringList{"\t0\t", ""};
}

void TestProtocolFormat::entryLines() {
    QFETCH(int, kind);
    QFETCH(int, currentLine);
    QFETCH(QStringList, expected);
    FakeRegisters registers;
    FakeProgram program({QStringLiteral("// Kommentar"), QStringLiteral("  2 load 1\t ")});
    QCOMPARE(entryOf(kind, 0, registers, program, currentLine), expected);
}

QTEST_GUILESS_MAIN(TestProtocolFormat)
#include "tst_protocolformat.moc"
