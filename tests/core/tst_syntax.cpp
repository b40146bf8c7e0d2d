#include "fakes.h"
#include "windowrun.h"
#include "navigation.h"
#include "syntax.h"

#include <QTest>

Q_DECLARE_METATYPE(Opcode)

class TestSyntax : public QObject {
    Q_OBJECT
private slots:
    void parseLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("label");
        QTest::addColumn<Opcode>("opcode");
        QTest::addColumn<qint32>("operand");
        QTest::newRow("plain") << "10 cload 5" << "10" << Opcode::CLoad << 5;
        QTest::newRow("no operand") << "80 end" << "80" << Opcode::End << -1;
        QTest::newRow("upper case") << "20 LOAD 3" << "20" << Opcode::Load << 3;
        QTest::newRow("mixed case") << "10 LoAd 5" << "10" << Opcode::Load << 5;
        QTest::newRow("many spaces") << "10   load 1" << "10" << Opcode::Load << 1;
        QTest::newRow("spaced operand") << "10 load    1" << "10" << Opcode::Load << 1;
        QTest::newRow("hex constant") << "10 cload $1F" << "10" << Opcode::CLoad << 31;
        QTest::newRow("end with operand") << "10 end 7" << "10" << Opcode::End << 7;
        QTest::newRow("goto without target") << "10 goto" << "10" << Opcode::Goto << -1;
        QTest::newRow("no space at all") << "10" << "" << Opcode::Unrecognised << -1;
        QTest::newRow("no label") << "load 5" << "load" << Opcode::Unrecognised << -1;
        QTest::newRow("operand word") << "10 load five" << "10" << Opcode::Unrecognised << -1;
        QTest::newRow("trailing remark") << "10 load 5 // five" << "10" << Opcode::Unrecognised << -1;
        QTest::newRow("tab is no separator") << "10\tload 1" << "10\tload" << Opcode::Unrecognised << -1;
        QTest::newRow("tab inside operand") << "10 load\t1" << "10" << Opcode::Unrecognised << -1;
        QTest::newRow("colon label") << "10: load 1" << "10:" << Opcode::Load << 1;
        QTest::newRow("unknown mnemonic") << "10 jump 5" << "10" << Opcode::Unrecognised << 5;
        QTest::newRow("no folding beyond A-Z") << QString::fromUtf16(u"10 ſtore 1") << "10"
                                               << Opcode::Unrecognised << 1;
        QTest::newRow("every mnemonic: istore") << "1 iSTORE 2" << "1" << Opcode::IStore << 2;
        QTest::newRow("jzero") << "1 jzero 90" << "1" << Opcode::JZero << 90;
    }
    void parseLine() {
        QFETCH(QString, line);
        const ParsedLine parsed = ParseLine(line);
        QTEST(parsed.label, "label");
        QTEST(parsed.opcode, "opcode");
        QTEST(parsed.operand, "operand");
    }

    void mnemonicsKeepTheirNumbers() {
        const QStringList all = {"load", "iload", "cload", "mult", "imult", "cmult", "add",
                                 "iadd", "cadd", "sub", "goto", "isub", "csub", "div", "idiv",
                                 "cdiv", "store", "istore", "jzero", "end"};
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(int(ParseLine(QStringLiteral("1 %1 2").arg(all[i])).opcode), i);
    }

    void trimmingRemovesControlCharacters() {
        QCOMPARE(trimmed(QStringLiteral("\t\r  10 end \x01\n")), QStringLiteral("10 end"));
        QCOMPARE(trimmed(QString(QChar(0xA0)) + "x"), QString(QChar(0xA0)) + "x");
    }

    void validRegisters() {
        QVERIFY(IsValidRegister(0) && IsValidRegister(50));
        QVERIFY(!IsValidRegister(-1) && !IsValidRegister(51));
    }

    void firstInstructionLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<qint32>("first");
        QTest::newRow("no comments") << QStringList{"10 end"} << 0;
        QTest::newRow("leading comments") << QStringList{"// a", "//b", "10 end"} << 2;
        QTest::newRow("indented comment is not skipped") << QStringList{" // a", "10 end"} << 0;
        QTest::newRow("only comments") << QStringList{"//a", "//b"} << 2;
        QTest::newRow("empty program") << QStringList{} << 0;
    }
    void firstInstructionLine() {
        QFETCH(QStringList, lines);
        QTEST(FindFirstInstructionLine(FakeProgram(lines)), "first");
    }

    void successorLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<qint32>("current");
        QTest::addColumn<qint32>("next");
        QTest::newRow("next line") << QStringList{"10 a", "20 b"} << 0 << 1;
        QTest::newRow("skips indented comments") << QStringList{"10 a", "  // x", "//y", "20 b"} << 0 << 3;
        QTest::newRow("last line goes past the end") << QStringList{"10 a", "20 b"} << 1 << 2;
        QTest::newRow("only comments follow") << QStringList{"10 a", "//x"} << 0 << 2;
        QTest::newRow("empty line is no comment") << QStringList{"10 a", "", "20 b"} << 0 << 1;
    }
    void successorLine() {
        QFETCH(QStringList, lines);
        QFETCH(qint32, current);
        QTEST(SuccessorLine(FakeProgram(lines), current), "next");
    }

    void targetLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("target");
        QTest::addColumn<qint32>("line");
        const QStringList prog{"10 cload 1", "110 end", "20 end"};
        QTest::newRow("exact") << prog << "20" << 2;
        QTest::newRow("prefix 11 finds 110") << prog << "11" << 1;
        QTest::newRow("prefix 1 finds 10") << prog << "1" << 0;
        QTest::newRow("missing gives count + 1") << prog << "30" << 4;
        QTest::newRow("upper of two equal labels") << QStringList{"5 a", "7 b", "7 c"} << "7" << 1;
        QTest::newRow("comments never match") << QStringList{"//5", "5 x"} << "5" << 1;
        QTest::newRow("indented line matches") << QStringList{"  5 x"} << "5" << 0;
        QTest::newRow("-1 of an empty goto") << QStringList{"10 a", "-1 b"} << "-1" << 1;
    }
    void targetLine() {
        QFETCH(QStringList, lines);
        QFETCH(QString, target);
        QTEST(FindTargetLine(FakeProgram(lines), target), "line");
    }

    void targetSearchReadsEachLineOnce() {
        QStringList lines;
        for (int i = 0; i < 10000; ++i)
            lines << QStringLiteral("1%1 cadd 1").arg(i);
        lines << "7 end";
        FakeProgram program(lines);
        QCOMPARE(FindTargetLine(program, u"7"), 10000);
        QVERIFY(program.reads <= 10001);
    }

    void jzeroReadsTheAccumulator() {
        FakeProgram program({"10 jzero 30", "20 end", "30 end"});
        FakeRegisters regs;
        const WindowRegisters registers{&regs};
        QCOMPARE(NextLine(TextLine(program, 0), registers), 2);
        regs.set(0, 4);
        QCOMPARE(NextLine(TextLine(program, 0), registers), 1);
        QCOMPARE(NextLine(TextLine(FakeProgram({"10 nop 30", "30 end"}), 0), registers), 0);
    }
};

QTEST_GUILESS_MAIN(TestSyntax)
#include "tst_syntax.moc"
