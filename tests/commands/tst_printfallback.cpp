// Printing where no printer is set up said nothing and did nothing: now a
// German box says so and offers a PDF file, which the user may decline.
#include "fakedialogs.h"
#include "printfallback.h"

#include <QTest>

class TestPrintFallback : public QObject {
    Q_OBJECT
private slots:
    void offersPdfInstead_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("result");
        QTest::newRow("declined") << false << "/s/ggt.pdf"
                                  << "";
        QTest::newRow("file chosen") << true << "/s/x.pdf"
                                     << "/s/x.pdf";
        QTest::newRow("file dialog cancelled") << true << ""
                                               << "";
    }
    void offersPdfInstead() {
        QFETCH(bool, accept);
        QFETCH(QString, chosen);
        QFETCH(QString, result);
        FakeDialogs dialogs;
        dialogs.confirmAnswer = accept;
        dialogs.pdfAnswer = chosen;
        QCOMPARE(pdfInsteadOfPrinter(dialogs, QStringLiteral("/s/ggt.pdf")), result);
        QVERIFY(dialogs.log.first().startsWith(u"confirm:Es ist kein Drucker eingerichtet."));
        QCOMPARE(dialogs.log.size(), accept ? 2 : 1);
        if (accept)
            QCOMPARE(dialogs.log.last(), QStringLiteral("pdf:/s/ggt.pdf"));
    }
};

QTEST_GUILESS_MAIN(TestPrintFallback)
#include "tst_printfallback.moc"
