#include "plaintextprinter.h"
#include "printcanvas.h"
#include "zevoerror.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <csignal>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace {

// Every character 10 units wide, tab stops every 80, a line height of twice the
// point size (22 at 11 points, 20 at 10 points). Records "page:x:y:points:text".
class RecordingCanvas : public PrintCanvas {
public:
    explicit RecordingCanvas(QSizeF page) : m_page(page) {}
    void setFont(const QFont& font) override {
        m_points = font.pointSize();
        families << font.family();
    }
    qreal lineHeight() const override { return 2 * m_points; }
    qreal averageCharWidth() const override { return 10; }
    qreal textWidth(const QString& text) const override { return 10 * text.size(); }
    QSizeF pageSize() const override { return m_page; }
    void drawText(qreal x, qreal y, const QString& text) override {
        drawn << QStringLiteral("%1:%2:%3:%4:%5")
                     .arg(m_pageNumber)
                     .arg(x)
                     .arg(y)
                     .arg(m_points)
                     .arg(text);
    }
    void newPage() override { ++m_pageNumber; }

    QStringList drawn;
    QStringList families;

private:
    QSizeF m_page;
    int m_points = 0;
    int m_pageNumber = 1;
};

// Each piece of text a PDF written by Qt draws: {size, x, y} in points. A page's
// content begins with its matrix from device units to points; a text block may
// follow a scaling of the painter's own.
QList<std::array<qreal, 3>> textRuns(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("^([\\d.]+) 0 0 -"),
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression text(
        QStringLiteral("(?:([\\d.]+) 0 0 [\\d.]+ 0 0 cm\\n(?:[^\\n]*\\n){0,3}?)?"
                       "BT\\n/F\\d+ ([\\d.]+) Tf 1 0 0 -1 0 0 Tm\\n([-\\d.]+) ([-\\d.]+) Td"));
    QList<std::array<qreal, 3>> runs;
    for (qsizetype at = 0; (at = pdf.indexOf("stream\n", at)) >= 0; at += 7) {
        QByteArray packed = pdf.mid(at + 7, pdf.indexOf("endstream", at) - at - 7);
        if (!packed.startsWith('\x78')) // not deflated: no page content
            continue;
        packed.prepend(QByteArray::fromHex("00100000")); // qUncompress wants a size first
        const QString content = QString::fromLatin1(qUncompress(packed));
        const qreal toPoints = page.match(content).captured(1).toDouble();
        for (const QRegularExpressionMatch& m : text.globalMatch(content)) {
            const qreal scale = toPoints * (m.hasCaptured(1) ? m.captured(1).toDouble() : 1);
            runs.append({m.captured(2).toDouble() * scale, m.captured(3).toDouble() * scale,
                         m.captured(4).toDouble() * scale});
        }
    }
    return runs;
}

} // namespace

class TestPlainTextPrinter : public QObject {
    Q_OBJECT

private slots:
    void layout_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QStringList>("drawn");
        const QSizeF a4ish(1000, 2000);

        QTest::newRow("nothing to print") << QStringList{} << "" << a4ish << QStringList{};
        QTest::newRow("file name only")
            << QStringList{} << "/p/a.rmp" << a4ish << QStringList{"1:80:88:10:/p/a.rmp"};
        QTest::newRow("lines behind one TAB, empty line kept")
            << QStringList{"10 load 1", "", "30 end"} << "/p/a.rmp" << a4ish
            << QStringList{"1:80:44:11:10 load 1", "1:80:88:11:30 end", "1:80:154:10:/p/a.rmp"};
        QTest::newRow("tab stops every eight characters")
            << QStringList{"10\tload 1", "abcdefgh\tx", "abcdefg\ty"} << "" << a4ish
            << QStringList{"1:80:44:11:10", "1:160:44:11:load 1", "1:80:66:11:abcdefgh",
                           "1:240:66:11:x", "1:80:88:11:abcdefg", "1:160:88:11:y"};
        QTest::newRow("too wide: the rest at the left edge, no TAB")
            << QStringList{"abcdefghijklmnopqrstuvwxyz0123456789ABCD", "ok"} << ""
            << QSizeF(200, 2000)
            << QStringList{"1:80:44:11:abcdefghijkl", "1:0:66:11:mnopqrstuvwxyz012345",
                           "1:0:88:11:6789ABCD", "1:80:110:11:ok"};
        QTest::newRow("tab stop past the edge starts the next row")
            << QStringList{"ab\tcd\tef"} << "" << QSizeF(200, 2000)
            << QStringList{"1:80:44:11:ab", "1:160:44:11:cd", "1:0:66:11:ef"};
        QTest::newRow("page breaks when a row does not fit")
            << QStringList{"a", "b", "c"} << "n" << QSizeF(1000, 100)
            << QStringList{"1:80:44:11:a", "1:80:66:11:b", "2:80:0:11:c", "2:80:66:10:n"};
        QTest::newRow("a page narrower than one character still ends")
            << QStringList{"ab"} << "" << QSizeF(5, 2000)
            << QStringList{"1:0:66:11:a", "1:0:88:11:b"};
    }
    void layout() {
        QFETCH(QStringList, lines);
        QFETCH(QString, fileName);
        QFETCH(QSizeF, page);
        QFETCH(QStringList, drawn);
        RecordingCanvas canvas(page);
        QFont font(QStringLiteral("DejaVu Sans"), 8);
        printPlainText(canvas, lines, font, fileName);
        QCOMPARE(canvas.drawn, drawn);
        // The face is the one handed in, only the size changes.
        QCOMPARE(canvas.families, (QStringList{font.family(), font.family()}));
    }

    void printsToPdf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines << QStringLiteral("%1\tload %2").arg(10 * i).arg(i);
        printPlainText(printer, lines, QFont(), QStringLiteral("/home/a/test.rmp"));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("%%EOF"));
        // 204 rows at 11 points do not fit one A4 page.
        QVERIFY(bytes.count("/Type /Page") - bytes.count("/Type /Pages") >= 2);
    }

    // A "groß" protocol lines up in print as on screen: a label of ten characters
    // and values of eight take one TAB, shorter values two, and all reach the
    // same stops. The sizes are exact points at the printer's resolution.
    void protocolInPdfLinesUp() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        printPlainText(printer,
                       {"Register 0\tRegister 1\tRegister 2\tRegister 3\t",
                        "1234567\t\t12345678\t-1234567\t5\t\t"},
                       font, QStringLiteral("/p/a.rmp"));
        QFile pdf(printer.outputFileName());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const auto runs = textRuns(pdf.readAll());
        QCOMPARE(runs.size(), 9);
        for (int i = 0; i < 9; ++i) {
            QVERIFY2(qAbs(runs[i][0] - (i < 8 ? 11 : 10)) < 1e-4,
                     qPrintable(QString::number(runs[i][0])));
            if (i < 4)
                QVERIFY(qAbs(runs[i][1] - runs[i + 4][1]) < 1e-3);
        }
    }

    void printerThatCannotStartIsAnError() {
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("gone/out.pdf")));
        try {
            printPlainText(printer, {QStringLiteral("10 end")}, QFont(), QString());
            QFAIL("no error");
        } catch (const ZevoError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Der Druckauftrag kann nicht begonnen werden"));
        }
    }

    // A size limit fails the writes as a full disk does: the file is cut short.
    void fileCutShortIsAnError() {
#ifdef Q_OS_WIN
        QSKIP("a file size limit of the process is POSIX's (RLIMIT_FSIZE)");
#else
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        rlimit before{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &before) == 0);
        const rlimit limited{4096, before.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QString error;
        if (setrlimit(RLIMIT_FSIZE, &limited) == 0) {
            try {
                printPlainText(printer, QStringList(200, QStringLiteral("10 load 1")), QFont(),
                               QString());
            } catch (const ZevoError& e) {
                error = e.message();
            }
            setrlimit(RLIMIT_FSIZE, &before);
        }
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(error, QStringLiteral("Der Ausdruck konnte nicht vollständig in die Datei %1 "
                                       "geschrieben werden")
                            .arg(printer.outputFileName()));
#endif
    }
};

QTEST_MAIN(TestPlainTextPrinter)
#include "tst_plaintextprinter.moc"
