#include "runcompare.h"

#include <QRandomGenerator>
#include <QTest>

// Random programs run through the one run decoded once with registers as
// numbers, and read from the text at every step with registers as texts, must
// agree in outcome, steps, protocol bytes and registers.
class tst_DecodedRun : public QObject {
    Q_OBJECT

    static QString pick(QRandomGenerator& r, const QStringList& from) {
        return from[r.bounded(int(from.size()))];
    }

    // Lines from a small vocabulary, so that jumps find (and miss) their
    // targets, labels share prefixes and every runtime error can happen.
    static QStringList program(QRandomGenerator& r) {
        static const QStringList labels{"10", "1", "110", "20", "2", "-1", "0", "x", "", " 30"};
        static const QStringList mnemonics{
            "load", "iload", "cload", "mult", "imult", "cmult", "add", "iadd", "cadd", "sub",
            "isub", "csub", "div", "idiv", "cdiv", "store", "istore", "goto", "jzero", "end",
            "JZERO", "nop"};
        static const QStringList operands{"", "0", "1", "2", "3", "11", "20", "-1", "50", "51",
                                          "$1F", "2147483647", "7 x", "1"};
        static const QStringList comments{"// note", "  // indented", "//", "\t// tab"};
        QStringList lines;
        const int count = 1 + r.bounded(12);
        for (int i = 0; i < count; ++i) {
            if (r.bounded(6) == 0) {
                lines << pick(r, comments);
                continue;
            }
            QString line = pick(r, labels) + u' ' + pick(r, mnemonics);
            const QString operand = pick(r, operands);
            if (!operand.isEmpty())
                line += u' ' + operand;
            lines << line;
        }
        return lines;
    }

    static QStringList registers(QRandomGenerator& r) {
        static const QStringList values{"0", "1", "2", "3", "007", "$1F", "-5", "51", "abc", "",
                                        "2147483647", " 4"};
        QStringList texts;
        const int count = r.bounded(12);
        for (int i = 0; i < count; ++i)
            texts << pick(r, values);
        return texts;
    }

private slots:
    void randomProgramsAgree_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void randomProgramsAgree() {
        QFETCH(quint32, seed);
        QRandomGenerator r(seed);
        for (int i = 0; i < 400; ++i) {
            const QStringList lines = program(r);
            const QStringList texts = registers(r);
            PlainSettings settings;
            settings.Kind = ProtocolKind(r.bounded(2));
            settings.Spacing = ProtocolSpacing(r.bounded(2));
            settings.LastRegister = r.bounded(RegisterCount);
            const QString difference = runcompare::compare(lines, texts, settings, 1 + r.bounded(60));
            if (!difference.isEmpty())
                QFAIL(qPrintable(lines.join(u'|') + QStringLiteral(" / ") + texts.join(u'|') +
                                 QStringLiteral(": ") + difference));
        }
    }
};

QTEST_GUILESS_MAIN(tst_DecodedRun)
#include "tst_decodedrun.moc"
