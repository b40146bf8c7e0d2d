#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "fakes.h"
#include "look.h"
#include "radiogroup.h"
#include "updownarrows.h"
#include "zevoerror.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsWithTheDefaults();
    void layoutAndCaptions();
    void upDownStopsAtItsLimits_data();
    void upDownStopsAtItsLimits();
    void upDownFollowsTheArrowKeys();
    void radioGroupsClearOnlyOnAnotherItem_data();
    void radioGroupsClearOnlyOnAnotherItem();
    void markingCheckBoxSetsMarkChangesAtOnce();
    void otherCheckBoxesAreReadWhenNeeded();
    void hidingKeepsEveryState_data();
    void hidingKeepsEveryState();
    void failureInAHandlerReachesTheErrorDisplay();
    void protocolSettingsShapeTheProtocol();

private:
    TOptionenFormular* dialog = nullptr;
    FakeDialogs* dialogs = nullptr;
    int clears = 0;
    QList<bool> markChanges;
};

void TestOptions::init() {
    dialog = new TOptionenFormular;
    dialogs = new FakeDialogs;
    clears = 0;
    markChanges.clear();
    dialog->setDialogs(dialogs);
    dialog->setClearProtocol([this] { ++clears; });
    dialog->setSetMarkChanges([this](bool on) { markChanges << on; });
}

void TestOptions::cleanup() {
    delete dialog;
    delete dialogs;
}

void TestOptions::startsWithTheDefaults() {
    const Settings& settings = *dialog;
    QVERIFY(settings.confirmExit());
    QVERIFY(settings.markChangedRegisters());
    QVERIFY(settings.highlightCurrentLine());
    QCOMPARE(settings.protocolKind(), ProtocolKind::RegistersOnly);
    QCOMPARE(settings.protocolLastRegister(), 10);
    QCOMPARE(settings.protocolSpacing(), ProtocolSpacing::Klein);
    QCOMPARE(dialog->AnzRegLabel->text(), QStringLiteral("Anzeige der Register 0 bis 10"));
    QCOMPARE(dialog->OptionenPageControl->currentWidget(), dialog->OptionenTabSheet);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(clears, 0);
    QVERIFY(markChanges.isEmpty());
}

void TestOptions::layoutAndCaptions() {
    dialog->show();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Optionen"));
    QCOMPARE(dialog->size(), QSize(321, 308));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QCOMPARE(dialog->pos(), QPoint(581, 40));
    QVERIFY(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(dialog->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    QTabWidget* pages = dialog->OptionenPageControl;
    QCOMPARE(pages->geometry(), QRect(0, 0, 321, 265));
    QCOMPARE(pages->tabText(0), QStringLiteral("Programmeinstellungen"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Protokollleinstellungen"));

    const QList<std::tuple<QWidget*, QRect, QString>> controls{
        {dialog->SicherheitsabfrageCheckBox,
         {16, 16, 241, 33},
         "Sicherheitsabfrage beim Beenden einblenden"},
        {dialog->RegistermarkierenCheckBox,
         {16, 56, 265, 17},
         "Veränderte Register beim Programmlauf markieren"},
        {dialog->ProgrammzeilemarkierenCheckBox,
         {16, 88, 201, 17},
         "Aktuelle Programmzeile hervorheben"},
        {dialog->ProtokollartRadioGroup, {8, 8, 297, 73}, "Protokollart"},
        {dialog->AnzahlGroupBox, {8, 96, 297, 65}, "Anzahl der Register"},
        {dialog->AbstandRadioGroup, {8, 168, 297, 49}, "Abstände zwischen den Registern"},
        {dialog->OKButton, {232, 272, 75, 25}, "OK"},
    };
    for (const auto& [widget, geometry, caption] : controls) {
        QString text;
        if (auto* box = qobject_cast<QCheckBox*>(widget); box && geometry.height() < 20) {
            // One-line captions may grow to the page edge so that they are not cut off.
            QCOMPARE(box->pos(), geometry.topLeft());
            QCOMPARE(box->height(), geometry.height());
            QVERIFY(box->width() >= geometry.width());
            QVERIFY(box->width() >= box->sizeHint().width());
            QVERIFY(box->geometry().right() < dialog->OptionenTabSheet->width());
        } else {
            QCOMPARE(widget->geometry(), geometry);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            text = group->title();
        QCOMPARE(text, caption);
        QVERIFY(dialog->findChild<QWidget*>(widget->objectName()) == widget);
    }
    QCOMPARE(dialog->ProtokollartRadioGroup->item(0)->text(), QStringLiteral("Registerprotokoll"));
    QCOMPARE(dialog->ProtokollartRadioGroup->item(1)->text(),
             QStringLiteral("Register- und Befehlsprotokoll"));
    QCOMPARE(dialog->AbstandRadioGroup->item(0)->text(), QStringLiteral("klein"));
    QCOMPARE(dialog->AbstandRadioGroup->item(1)->text(), QStringLiteral("groß"));
    // One column for the kind, two for the spacing.
    QCOMPARE(dialog->ProtokollartRadioGroup->item(0)->x(),
             dialog->ProtokollartRadioGroup->item(1)->x());
    QCOMPARE(dialog->AbstandRadioGroup->item(0)->y(), dialog->AbstandRadioGroup->item(1)->y());
    QCOMPARE(dialog->AnzRegLabel->pos(), QPoint(16, 24));
    // The group boxes look like the main window's (caption on the frame); the
    // arrows stand inside the frame and apart from the label's longest text.
    QGroupBox mainWindowLook;
    Look::setGroupBoxLook(&mainWindowLook);
    for (QGroupBox* box : dialog->ProtokollTabSheet->findChildren<QGroupBox*>())
        QCOMPARE(box->style(), mainWindowLook.style());
    const QRect arrows = dialog->UpDown->geometry();
    QCOMPARE(arrows.size(), QSize(17, 25));
    QCOMPARE(arrows.top(), 16);
    QVERIFY(dialog->AnzahlGroupBox->contentsRect().contains(arrows));
    dialog->UpDown->setPosition(50);
    QVERIFY(dialog->AnzRegLabel->geometry().right() + 3 < arrows.left());
}

void TestOptions::upDownStopsAtItsLimits_data() {
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("limit");
    QTest::newRow("up to 50") << true << 50;
    QTest::newRow("down to 0") << false << 0;
}

void TestOptions::upDownStopsAtItsLimits() {
    QFETCH(bool, up);
    QFETCH(int, limit);
    dialog->show();
    dialog->OptionenPageControl->setCurrentWidget(dialog->ProtokollTabSheet);
    QToolButton* arrow = up ? dialog->UpDown->upButton() : dialog->UpDown->downButton();
    const int steps = qAbs(limit - 10);
    for (int i = 0; i < steps; ++i)
        QTest::mouseClick(arrow, Qt::LeftButton);
    QCOMPARE(dialog->protocolLastRegister(), limit);
    QCOMPARE(clears, steps);
    const QString label = QStringLiteral("Anzeige der Register 0 bis %1").arg(limit);
    QCOMPARE(dialog->AnzRegLabel->text(), label);
    // At the limit the arrow changes nothing: no wrap, no new heading.
    QTest::mouseClick(arrow, Qt::LeftButton);
    QTest::mouseClick(arrow, Qt::LeftButton);
    QCOMPARE(dialog->protocolLastRegister(), limit);
    QCOMPARE(clears, steps);
    QCOMPARE(dialog->AnzRegLabel->text(), label);
    // The whole label stays readable.
    QVERIFY(dialog->AnzRegLabel->width() >=
            dialog->AnzRegLabel->fontMetrics().horizontalAdvance(label));
}

void TestOptions::upDownFollowsTheArrowKeys() {
    dialog->show();
    dialog->OptionenPageControl->setCurrentWidget(dialog->ProtokollTabSheet);
    QTest::keyClick(dialog->UpDown, Qt::Key_Up);
    QTest::keyClick(dialog->UpDown, Qt::Key_Up);
    QTest::keyClick(dialog->UpDown, Qt::Key_Down);
    QCOMPARE(dialog->protocolLastRegister(), 11);
    QCOMPARE(dialog->AnzRegLabel->text(), QStringLiteral("Anzeige der Register 0 bis 11"));
    QCOMPARE(clears, 3);
}

void TestOptions::radioGroupsClearOnlyOnAnotherItem_data() {
    QTest::addColumn<bool>("kindGroup");
    QTest::newRow("Protokollart") << true;
    QTest::newRow("Abstände") << false;
}

void TestOptions::radioGroupsClearOnlyOnAnotherItem() {
    QFETCH(bool, kindGroup);
    dialog->show();
    dialog->OptionenPageControl->setCurrentWidget(dialog->ProtokollTabSheet);
    RadioGroup* group = kindGroup ? dialog->ProtokollartRadioGroup : dialog->AbstandRadioGroup;
    auto selected = [&] {
        return kindGroup ? int(dialog->protocolKind()) : int(dialog->protocolSpacing());
    };
    QTest::mouseClick(group->item(0), Qt::LeftButton); // already selected
    QCOMPARE(clears, 0);
    QTest::mouseClick(group->item(1), Qt::LeftButton);
    QCOMPARE(clears, 1);
    QCOMPARE(selected(), 1);
    QTest::mouseClick(group->item(1), Qt::LeftButton);
    QCOMPARE(clears, 1);
    QTest::mouseClick(group->item(0), Qt::LeftButton);
    QCOMPARE(clears, 2);
    QCOMPARE(selected(), 0);
}

void TestOptions::markingCheckBoxSetsMarkChangesAtOnce() {
    dialog->show();
    QTest::mouseClick(dialog->RegistermarkierenCheckBox, Qt::LeftButton);
    QCOMPARE(markChanges, QList<bool>{false});
    QVERIFY(!dialog->markChangedRegisters());
    dialog->RegistermarkierenCheckBox->setFocus();
    QTest::keyClick(dialog->RegistermarkierenCheckBox, Qt::Key_Space);
    QCOMPARE(markChanges, (QList<bool>{false, true}));
    QVERIFY(dialog->markChangedRegisters());
    QCOMPARE(clears, 0);
}

void TestOptions::otherCheckBoxesAreReadWhenNeeded() {
    dialog->show();
    // The wrapped caption still toggles when its second line is clicked.
    QCheckBox* confirm = dialog->SicherheitsabfrageCheckBox;
    QTest::mouseClick(confirm, Qt::LeftButton, {}, QPoint(40, confirm->height() - 4));
    QVERIFY(!dialog->confirmExit());
    QTest::mouseClick(dialog->ProgrammzeilemarkierenCheckBox, Qt::LeftButton);
    QVERIFY(!dialog->highlightCurrentLine());
    QVERIFY(markChanges.isEmpty());
    QCOMPARE(clears, 0);
}

void TestOptions::hidingKeepsEveryState_data() {
    QTest::addColumn<bool>("byOk");
    QTest::newRow("OK") << true;
    QTest::newRow("close box") << false;
}

void TestOptions::hidingKeepsEveryState() {
    QFETCH(bool, byOk);
    dialog->show();
    dialog->OptionenPageControl->setCurrentWidget(dialog->ProtokollTabSheet);
    QTest::mouseClick(dialog->ProtokollartRadioGroup->item(1), Qt::LeftButton);
    QTest::mouseClick(dialog->AbstandRadioGroup->item(1), Qt::LeftButton);
    QTest::mouseClick(dialog->UpDown->downButton(), Qt::LeftButton);
    dialog->SicherheitsabfrageCheckBox->setChecked(false);
    QPointer<TOptionenFormular> alive(dialog);
    if (byOk)
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    else
        dialog->close();
    QVERIFY(alive);
    QVERIFY(!dialog->isVisible());
    // The readers see the settings while the dialog is hidden.
    QCOMPARE(dialog->protocolKind(), ProtocolKind::RegistersAndInstruction);
    QCOMPARE(dialog->protocolSpacing(), ProtocolSpacing::Gross);
    QCOMPARE(dialog->protocolLastRegister(), 9);
    QVERIFY(!dialog->confirmExit());
    dialog->show();
    QCOMPARE(dialog->OptionenPageControl->currentWidget(), dialog->ProtokollTabSheet);
    QCOMPARE(dialog->AnzRegLabel->text(), QStringLiteral("Anzeige der Register 0 bis 9"));
    QCOMPARE(clears, 3);
}

void TestOptions::failureInAHandlerReachesTheErrorDisplay() {
    dialog->setClearProtocol([] { throw ZevoError(QStringLiteral("kaputt")); });
    dialog->setSetMarkChanges([](bool) { throw ZevoError(QStringLiteral("auch kaputt")); });
    dialog->show();
    QTest::mouseClick(dialog->UpDown->upButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->RegistermarkierenCheckBox, Qt::LeftButton);
    QCOMPARE(dialogs->log, (QStringList{"showError:kaputt.", "showError:auch kaputt."}));
    // The control keeps the user's change.
    QCOMPARE(dialog->protocolLastRegister(), 11);
}

// The dialog as the protocol's settings: each change starts the protocol anew
// with the new heading alone.
void TestOptions::protocolSettingsShapeTheProtocol() {
    FakeRegisters registers;
    FakeProgram program({QStringLiteral("1 end")});
    TProtokollFormular protocol(*dialogs);
    WindowRun session = makeWindowRun(program, registers, *dialog);
    session.sink().setSink(&protocol);
    dialog->setClearProtocol([&] { session.writeHeading(); });
    dialog->show();
    dialog->OptionenPageControl->setCurrentWidget(dialog->ProtokollTabSheet);
    session.writeHeading();
    session.writeEntry();
    QCOMPARE(protocol.protocolLines().size(), 2);

    for (int i = 0; i < 10; ++i)
        QTest::mouseClick(dialog->UpDown->downButton(), Qt::LeftButton);
    QCOMPARE(protocol.protocolLines(), QStringList{"R 0\t"});
    session.writeEntry();
    QCOMPARE(protocol.protocolLines(), (QStringList{"R 0\t", "0\t"}));

    QTest::mouseClick(dialog->ProtokollartRadioGroup->item(1), Qt::LeftButton);
    QCOMPARE(protocol.protocolLines(), QStringList{"Befehl\tR 0\t"});
    QTest::mouseClick(dialog->AbstandRadioGroup->item(1), Qt::LeftButton);
    QCOMPARE(protocol.protocolLines(), QStringList{"Befehl\tRegister 0\t"});
    session.writeEntry();
    QCOMPARE(protocol.protocolLines(), (QStringList{"Befehl\tRegister 0\t", "\t0\t\t", "1 end"}));
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
