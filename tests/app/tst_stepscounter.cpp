// The step counter changes on every step of a run. It must repaint on its own,
// without the group box and window beneath it, and look as a full repaint of
// the window would.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "screenpixels.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

namespace {
class PaintLog : public QObject {
public:
    QStringList painted;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted << watched->objectName();
        return false;
    }
};

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The same area rendered afresh, the whole window at once.
QImage fullRender(QWidget* w) {
    const QImage all = w->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return all.copy(QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()));
}
} // namespace

class TestStepsCounter : public QObject {
    Q_OBJECT

private slots:
    void stepsRepaintTheCounterAlone() {
        FakeDialogs dialogs;
        THauptformular window(dialogs);
        TProtokollFormular protocol(dialogs);
        TOptionenFormular options;
        window.attach(protocol, options);
        window.show();
        window.ProgramMemo->setPlainText(QStringLiteral("10 cadd 1\n20 goto 10"));
        window.ProgrammResetClick();
        settle();
        auto* box = window.findChild<QGroupBox*>(QStringLiteral("SchritteGroupBox"));
        QVERIFY(box);

        PaintLog paints;
        for (QWidget* w : {static_cast<QWidget*>(&window), window.centralWidget(),
                           static_cast<QWidget*>(box), static_cast<QWidget*>(window.StepsLabel)})
            w->installEventFilter(&paints);
        for (const QString& count : {QStringLiteral("1"), QStringLiteral("2")}) {
            paints.painted.clear();
            window.EinzelschrittClick();
            settle();
            QCOMPARE(window.StepsLabel->text(), count);
            QCOMPARE(paints.painted, QStringList{QStringLiteral("StepsLabel")});
            QCOMPARE(onScreen(box), fullRender(box));
        }
        // Counts wider than the first ones.
        window.StepsLabel->setText(QStringLiteral("1234567"));
        settle();
        QCOMPARE(onScreen(box), fullRender(box));
        window.StepsLabel->setText(QStringLiteral("8"));
        settle();
        QCOMPARE(onScreen(box), fullRender(box));
        QVERIFY(dialogs.log.isEmpty());
    }

    // The counter is painted from kept glyphs: the pixels of a label's own.
    void counterLooksAsALabelDrawsIt_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"0", "7", "2147483647", "12345678901234", "x&y"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void counterLooksAsALabelDrawsIt() {
        QFETCH(QString, text);
        FakeDialogs dialogs;
        THauptformular window(dialogs);
        QLabel* counter = window.StepsLabel;
        counter->setText(text);
        QLabel plain(text);
        plain.setFont(counter->font());
        plain.setAlignment(counter->alignment());
        plain.setPalette(counter->palette());
        plain.setAutoFillBackground(true);
        plain.resize(counter->size());
        QCOMPARE(counter->grab().toImage(), plain.grab().toImage());
    }
};

QTEST_MAIN(TestStepsCounter)
#include "tst_stepscounter.moc"
