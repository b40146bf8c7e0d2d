// Every window inside the screen: the zoom that fits, the place of a frame and
// the size of a window the user may resize.
#include "screenfit.h"

#include <QTest>

class TestScreenFit : public QObject {
    Q_OBJECT
private slots:
    void zoom_data() {
        QTest::addColumn<QSize>("screen"); // available area, screen pixels
        QTest::addColumn<double>("wanted");
        QTest::addColumn<double>("used");
        QTest::newRow("projector 2 on 1280 x 1024") << QSize(1280, 1024) << 2.0 << 2.0;
        QTest::newRow("4 on 1280 x 1024") << QSize(1280, 1024) << 4.0 << 2.0;
        QTest::newRow("2 on 1280 x 1024 with a panel") << QSize(1280, 994) << 2.0 << 1.9;
        QTest::newRow("3 on full HD") << QSize(1920, 1080) << 3.0 << 2.1;
        QTest::newRow("2 on 1280 x 800") << QSize(1280, 800) << 2.0 << 1.5;
        QTest::newRow("1,5 on 1024 x 768 fits") << QSize(1024, 768) << 1.5 << 1.5;
        QTest::newRow("2 on 1024 x 768") << QSize(1024, 768) << 2.0 << 1.5;
        QTest::newRow("fitting 1,25 stays") << QSize(1280, 1024) << 1.25 << 1.25;
        QTest::newRow("never below 1") << QSize(640, 480) << 2.0 << 1.0;
        QTest::newRow("narrow and tall") << QSize(900, 2000) << 4.0 << 2.2;
    }
    void zoom() {
        QFETCH(QSize, screen);
        QFETCH(double, wanted);
        QFETCH(double, used);
        QCOMPARE(ScreenFit::fittingZoom(wanted, screen, ScreenFit::FixedWindowSizes), used);
    }

    void lowered() {
        QCOMPARE(ScreenFit::zoomLoweredMessage(4.0, 2.0, QSize(1280, 1024)),
                 QStringLiteral("zevo: --zoom 4 passt nicht auf den Bildschirm (1280 × 1024 "
                                "Pixel); Zevo verwendet --zoom 2.\n"));
        QVERIFY(ScreenFit::zoomLoweredMessage(3.5, 1.5, QSize(1280, 800)).contains(u"--zoom 1,5."));
    }

    void placeFrame_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("placed");
        const QRect screen(0, 0, 1280, 1024);
        QTest::newRow("fits where it is")
            << screen << QRect(254, 116, 409, 522) << QPoint(254, 116);
        QTest::newRow("past the bottom and right, zoom 2")
            << screen << QRect(508, 232, 810, 1016) << QPoint(470, 8);
        QTest::newRow("above the top") << screen << QRect(40, -20, 300, 200) << QPoint(40, 0);
        QTest::newRow("larger than the area keeps the title bar")
            << screen << QRect(100, 100, 1400, 1100) << QPoint(0, 0);
        QTest::newRow("below a top panel")
            << QRect(0, 30, 1280, 994) << QRect(10, 0, 200, 100) << QPoint(10, 30);
        QTest::newRow("second screen")
            << QRect(1280, 0, 1024, 768) << QRect(2200, 700, 300, 200) << QPoint(2004, 568);
    }
    void placeFrame() {
        QFETCH(QRect, available);
        QFETCH(QRect, frame);
        QFETCH(QPoint, placed);
        QCOMPARE(ScreenFit::placeFrame(available, frame), placed);
    }

    void resizableSize_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("help viewer at zoom 1")
            << QSize(1280, 1024) << QSize(600, 520) << QSize(600, 520);
        QTest::newRow("help viewer at zoom 2")
            << QSize(640, 512) << QSize(600, 520) << QSize(600, 476);
        QTest::newRow("protocol at zoom 3")
            << QSize(426, 341) << QSize(450, 303) << QSize(418, 303);
    }
    void resizableSize() {
        QFETCH(QSize, available);
        QFETCH(QSize, client);
        QFETCH(QSize, fitted);
        QCOMPARE(ScreenFit::fitClientSize(available, client, ScreenFit::AssumedFrame), fitted);
    }
};

QTEST_GUILESS_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
