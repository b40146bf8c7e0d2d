#include "gradingworkbook.h"
#include "nativename.h"
#include "tablefiles.h"
#include "zipentries.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// Every cell of a sheet as "type:value" by its reference ("A1"); strings
// looked up in the shared strings.
QHash<QString, QString> cells(const QByteArray& sheet, const QByteArray& sharedStrings) {
    QStringList strings;
    QXmlStreamReader shared(sharedStrings);
    while (!shared.atEnd())
        if (shared.readNext() == QXmlStreamReader::StartElement && shared.name() == u"t")
            strings << shared.readElementText();
    QHash<QString, QString> result;
    QXmlStreamReader xml(sheet);
    QString ref, type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"c") {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            type = xml.attributes().value(QLatin1String("t")).toString();
        } else if (xml.isStartElement() && (xml.name() == u"v" || xml.name() == u"f")) {
            const bool formula = xml.name() == u"f";
            const QString v = xml.readElementText();
            result[ref] = formula        ? QStringLiteral("formula:") + v
                          : type == u"s" ? QStringLiteral("s:") + strings.value(v.toInt())
                                         : type + QStringLiteral("n:") + v;
        }
    }
    if (xml.hasError())
        result[QStringLiteral("error")] = xml.errorString();
    return result;
}

QString pick(const QHash<QString, QString>& cells, const QStringList& refs) {
    QStringList values;
    for (const QString& ref : refs)
        values << cells.value(ref);
    return values.join(u'|');
}

Task twoCaseTask() {
    Task task;
    task.cases = {{{{1, 3}}, {{0, 6}}, {}},
                  {{}, {}, QStringLiteral("Division durch Null, Abbruch!")}};
    return task;
}

QList<ProgramGrade> twoPrograms() {
    ProgramGrade anna{QStringLiteral("anna.rmp"),
                      {{true, 38, QStringLiteral("R0=6"), false, QStringLiteral("fertig")},
                       {true, 5, QStringLiteral("Division durch Null, Abbruch!"), true,
                        QStringLiteral("Division durch Null, Abbruch!")}},
                      false};
    // A name that a spreadsheet would run as a formula, with an escape
    // character, a byte that is not UTF-8 (Latin-1 "ä") and two marks that
    // change the direction of text (U+202E, U+061C).
    ProgramGrade odd{decodeArgument("=1+1\x1b[8m\xe4\xe2\x80\xae\xd8\x9c.rmp"),
                     {{false, 7, QStringLiteral("R0=0"), false, QString()},
                      {false, 9, QStringLiteral("R0=0"), false, QString()}},
                     false};
    return {anna, odd};
}

} // namespace

class TestGradingWorkbook : public QObject {
    Q_OBJECT

private slots:
    void cellsAndSheets() {
        QTemporaryDir dir;
        QTemporaryDir scratch;
        qputenv("TMPDIR", QFile::encodeName(scratch.path()));
        const QString path = dir.filePath(QStringLiteral("noten.xlsx"));
        QVERIFY(writeGradingWorkbook(path, twoCaseTask(), twoPrograms()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), {"noten.xlsx"});
        QVERIFY(QDir(scratch.path()).isEmpty());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // The next grading may replace it: it is told from a workbook of the user's own.
        QVERIFY(isGradingTable(TableKind::Workbook, bytes));
        const QHash<QString, QByteArray> zip = zipEntries(bytes);
        const QByteArray book = zip.value(QStringLiteral("xl/workbook.xml"));
        QVERIFY(book.contains("<sheet name=\"Ergebnisse\" sheetId=\"1\""));
        QVERIFY(book.contains("<sheet name=\"Übersicht\" sheetId=\"2\""));

        const QByteArray strings = zip.value(QStringLiteral("xl/sharedStrings.xml"));
        const QByteArray sheet1 = zip.value(QStringLiteral("xl/worksheets/sheet1.xml"));
        const QHash<QString, QString> results = cells(sheet1, strings);
        QCOMPARE(pick(results, {"A1", "H1", "A2", "B2", "C2", "D2", "E2", "F3", "A4", "D5"}),
                 "s:Programm|s:Meldung|s:anna.rmp|n:1|s:R1=3|s:ja|n:38|"
                 "s:Division durch Null, Abbruch!|s:=1+1\\x1b[8m\\xe4\\xe2\\x80\\xae\\xd8\\x9c.rmp|s:nein");
        QCOMPARE(results.size(), 5 * 8 - 4); // empty: C3, C5 (no inputs), H4, H5 (no message)
        QVERIFY(!results.contains("error"));
        QVERIFY(sheet1.contains(
            "ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\""));
        QVERIFY(sheet1.contains("<col min=\"1\" max=\"1\" width=\""));

        const QByteArray sheet2 = zip.value(QStringLiteral("xl/worksheets/sheet2.xml"));
        const QHash<QString, QString> overview = cells(sheet2, strings);
        QCOMPARE(pick(overview, {"B1", "D1", "B2", "D2", "B3", "C3", "D3"}),
                 "s:Bestandene Fälle|s:Höchstens Schritte|n:2|n:38|n:0|n:2|");
        QVERIFY(sheet2.contains("state=\"frozen\""));
        QVERIFY(zip.value(QStringLiteral("xl/styles.xml")).contains("<b/>"));
    }

    // A write that fails leaves nothing behind and says so.
    void failedWrite() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("fehlt/noten.xlsx"));
        QVERIFY(!writeGradingWorkbook(missing, twoCaseTask(), twoPrograms()));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("fehlt"))));
        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("ordner"))));
        QVERIFY(!writeGradingWorkbook(dir.filePath(QStringLiteral("ordner")), twoCaseTask(),
                                      twoPrograms()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 {"ordner"});
        QVERIFY(QDir(dir.filePath(QStringLiteral("ordner"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGradingWorkbook)
#include "tst_gradingworkbook.moc"
