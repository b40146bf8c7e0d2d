#include "RMProgramEditor.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "fakes.h"
#include "protocolview.h"
#include "runcontrol.h"
#include "zevoerror.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Run control's window side; the protocol goes to the real window.
class ProtocolRunWindow : public RunWindow {
public:
    void stepCountChanged(qint32) override {}
    void lineReached(qint32) override {}
    void SetCommandStates(const CommandFlags&) override {}
    void SetMarkChanges(bool) override {}
    int sliderPosition() const override { return SliderMaximum; }
    void focusEditor() override {}
    void processPendingMessages() override {}
    void sleep10ms() override {}
};

// What the view holds, each line with its line break.
QString memoText(const TProtokollFormular& window) {
    QString text;
    for (const QString& line : window.ProtokollMemo->lines())
        text += line + u'\n';
    return text;
}
} // namespace

class TestProtocolWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsWithOneEmptyLine();
    void windowAndViewProperties();
    void buttonsKeepTheirDistanceFromTheRightEdge();
    void resetAndStepsWriteTheExample_data();
    void resetAndStepsWriteTheExample();
    void settingChangeLeavesTheNewHeadingAlone();
    void unreadableRegisterLeavesTheProtocolUntouched();
    void appendMovesTheCaretToTheEndAndScrolls();
    void showingAfterAHiddenRunShowsTheNewestLines();
    void clipboardGetsEveryLineWithCrLf();
    void clipboardBeforeTheFirstResetIsEmpty();
    void helpOpensTopicSix();
    void closingHidesAndReports_data();
    void closingHidesAndReports();
    void positionAndSizeSurviveHiding();
    void cancelledPrintDoesNothing();
    void printWritesToTheChosenPrinter();
    void printFailureGoesToTheErrorDisplay();

private:
    // The run session writes the heading and the entry for a line into the window.
    void heading() { session->writeHeading(); }
    void entry(qint32 line) {
        session->CurrentLine = line;
        session->writeEntry();
    }

    FakeRegisters* registers = nullptr;
    FakeProgram* program = nullptr;
    FakeDialogs* dialogs = nullptr;
    PlainSettings* settings = nullptr;
    TProtokollFormular* window = nullptr;
    WindowRun* session = nullptr;
};

void TestProtocolWindow::init() {
    registers = new FakeRegisters;
    program = new FakeProgram({QStringLiteral("1 cload 5"), QStringLiteral("2 end")});
    dialogs = new FakeDialogs;
    settings = new PlainSettings;
    window = new TProtokollFormular(*dialogs);
    session = new WindowRun(makeWindowRun(*program, *registers, *settings));
    session->sink().setSink(window);
}

void TestProtocolWindow::cleanup() {
    delete session;
    delete window;
    delete settings;
    delete dialogs;
    delete program;
    delete registers;
}

void TestProtocolWindow::startsWithOneEmptyLine() {
    QCOMPARE(window->ProtokollMemo->lineCount(), 0);
    QCOMPARE(memoText(*window), QString());
    QVERIFY(window->protocolLines().isEmpty());
    QVERIFY(!window->isVisible());
}

void TestProtocolWindow::windowAndViewProperties() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Protokoll"));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window->isWindow());
    QCOMPARE(window->pos(), QPoint(360, 216));
    QCOMPARE(window->size(), QSize(450, 303));
    ProtocolView* memo = window->ProtokollMemo;
    QCOMPARE(memo->objectName(), QStringLiteral("ProtokollMemo"));
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(255, 251, 240));
    const qreal tabStop = 8 * QFontMetricsF(memo->font()).horizontalAdvance(u'x');
    QCOMPARE(memo->tabStopDistance(), tabStop);
    heading(); // emptying must not lose the tab stops
    QCOMPARE(memo->tabStopDistance(), tabStop);
    QCOMPARE(memo->geometry(), QRect(0, 0, 450, 252));
    QCOMPARE(window->Panel->geometry(), QRect(0, 252, 450, 51));

    // Each button shows the picture of the main window's command that does the same.
    const QList<std::tuple<QPushButton*, QString, QString>> buttons{
        {window->ZwischenablageButton, "Zwischenablage", "15"},
        {window->DruckButton, "Drucken", "03"},
        {window->SchliessenButton, "Schließen", "12"},
        {window->HilfeButton, "Hilfe", "11"}};
    for (const auto& [button, caption, picture] : buttons) {
        QCOMPARE(button->text(), caption);
        const QImage resource(QStringLiteral(":/icons/toolbar/%1.png").arg(picture));
        QVERIFY(!resource.isNull());
        QCOMPARE(
            button->icon().pixmap(resource.size()).toImage().convertToFormat(
                QImage::Format_ARGB32_Premultiplied),
            resource.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    // Focus order: the view, then Drucken, Zwischenablage, Schließen, Hilfe.
    QList<QWidget*> order;
    QWidget* widget = memo;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != memo);
    QCOMPARE(order, (QList<QWidget*>{memo, window->DruckButton, window->ZwischenablageButton,
                                     window->SchliessenButton, window->HilfeButton}));
}

void TestProtocolWindow::buttonsKeepTheirDistanceFromTheRightEdge() {
    window->show();
    window->resize(650, 403);
    QCOMPARE(window->ProtokollMemo->geometry(), QRect(0, 0, 650, 352));
    QCOMPARE(window->Panel->geometry(), QRect(0, 352, 650, 51));
    QCOMPARE(window->ZwischenablageButton->geometry(), QRect(228, 16, 121, 25));
    QCOMPARE(window->DruckButton->geometry(), QRect(356, 16, 89, 25));
    QCOMPARE(window->SchliessenButton->geometry(), QRect(452, 16, 97, 25));
    QCOMPARE(window->HilfeButton->geometry(), QRect(556, 16, 73, 25));
}

void TestProtocolWindow::resetAndStepsWriteTheExample_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QStringList>("expected");
    const QString p1 = QStringLiteral(" 1 cload 5 ");
    const QString p2 = QStringLiteral("2 end");
    QTest::newRow("registers and instruction, klein")
        << 1 << 0
        << QStringList{
               "Befehl\tR 0\tR 1\tR 2\t", "\t0\t0\t0\t", p1, "\t5\t0\t0\t", p2, "\t5\t0\t0\t", p2};
    QTest::newRow("registers and instruction, gross")
        << 1 << 1
        << QStringList{"Befehl\tRegister 0\tRegister 1\tRegister 2\t",
                       "\t0\t\t0\t\t0\t\t",
                       p1,
                       "\t5\t\t0\t\t0\t\t",
                       p2,
                       "\t5\t\t0\t\t0\t\t",
                       p2};
    QTest::newRow("registers only, klein")
        << 0 << 0 << QStringList{"R 0\tR 1\tR 2\t", "0\t0\t0\t", "5\t0\t0\t", "5\t0\t0\t"};
}

// A reset and two single steps driven through run control, the program lines
// coming from the real editor.
void TestProtocolWindow::resetAndStepsWriteTheExample() {
    QFETCH(int, kind);
    QFETCH(int, spacing);
    QFETCH(QStringList, expected);
    TRMProgramEditor editor;
    editor.setPlainText(QStringLiteral("// Beispiel\n 1 cload 5 \n2 end"));
    TProtokollFormular protocol(*dialogs);
    settings->Kind = ProtocolKind(kind);
    settings->Spacing = ProtocolSpacing(spacing);
    settings->LastRegister = 2;
    ProtocolRunWindow runWindow;
    RunControl run(editor, *registers, *settings, runWindow, *dialogs);
    run.run().sink().setSink(&protocol);

    run.ProgrammResetClick();
    run.EinzelschrittClick();
    run.EinzelschrittClick();

    QCOMPARE(protocol.protocolLines(), expected);
    QCOMPARE(memoText(protocol), expected.join(u'\n') + u'\n');
    QCOMPARE(dialogs->log,
             QStringList{QStringLiteral("information:Programm wurde erfolgreich ausgeführt!")});
}

void TestProtocolWindow::settingChangeLeavesTheNewHeadingAlone() {
    settings->Kind = ProtocolKind::RegistersOnly;
    heading();
    for (qint32 line = 0; line < 3; ++line)
        entry(line);
    QCOMPARE(window->protocolLines().size(), 4);

    settings->LastRegister = 3;
    heading();
    QCOMPARE(window->protocolLines(), QStringList{"R 0\tR 1\tR 2\tR 3\t"});
    registers->set(3, -7);
    entry(0);
    QCOMPARE(window->protocolLines(), (QStringList{"R 0\tR 1\tR 2\tR 3\t", "0\t0\t0\t-7\t"}));

    settings->Kind = ProtocolKind::RegistersAndInstruction;
    heading();
    entry(1);
    QCOMPARE(window->protocolLines(),
             (QStringList{"Befehl\tR 0\tR 1\tR 2\tR 3\t", "\t0\t0\t0\t-7\t", "2 end"}));
}

void TestProtocolWindow::unreadableRegisterLeavesTheProtocolUntouched() {
    settings->Kind = ProtocolKind::RegistersAndInstruction;
    heading();
    entry(0);
    const QString before = memoText(*window);
    registers->texts[10] = QStringLiteral("1 2");
    QVERIFY_THROWS_EXCEPTION(ZevoError, entry(1));
    QCOMPARE(memoText(*window), before);
    registers->texts[10] = QStringLiteral("12");
    entry(1);
    QCOMPARE(window->protocolLines().size(), 5);
}

void TestProtocolWindow::appendMovesTheCaretToTheEndAndScrolls() {
    settings->Kind = ProtocolKind::RegistersAndInstruction;
    settings->LastRegister = 50;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ProtocolView* memo = window->ProtokollMemo;
    heading();
    for (int i = 0; i < 60; ++i)
        entry(i);
    QScrollBar* vertical = memo->verticalScrollBar();
    QScrollBar* horizontal = memo->horizontalScrollBar();
    QVERIFY(vertical->maximum() > 0);
    QCOMPARE(vertical->value(), vertical->maximum());

    // A selection and a view scrolled elsewhere give way to the new entry.
    memo->selectAll();
    vertical->setValue(0);
    horizontal->setValue(horizontal->maximum());
    QVERIFY(horizontal->value() > 0);
    entry(1);
    QVERIFY(!memo->hasSelection());
    QCOMPARE(memo->caret(), (ProtocolView::Position{memo->lineCount(), 0}));
    QCOMPARE(vertical->value(), vertical->maximum());
    QCOMPARE(horizontal->value(), 0);

    // Emptying shows the heading at the top.
    heading();
    QCOMPARE(vertical->value(), 0);
    QCOMPARE(memo->positionAt(QPoint(2, 2)).line, 0);
}

// The protocol grows while its window is hidden; shown later, the window
// shows the newest lines at the bottom, scrolled to the left edge.
void TestProtocolWindow::showingAfterAHiddenRunShowsTheNewestLines() {
    settings->Kind = ProtocolKind::RegistersAndInstruction;
    settings->LastRegister = 50;
    heading();
    for (int i = 0; i < 100; ++i)
        entry(i % 2);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ProtocolView* memo = window->ProtokollMemo;
    QScrollBar* vertical = memo->verticalScrollBar();
    QVERIFY(vertical->maximum() > 0);
    QCOMPARE(vertical->value(), vertical->maximum());
    QCOMPARE(memo->horizontalScrollBar()->value(), 0);
    const QPoint bottom(4, memo->viewport()->height() - 2 * memo->fontMetrics().lineSpacing());
    QVERIFY(memo->positionAt(bottom).line >= memo->lineCount() - 2);
}

void TestProtocolWindow::clipboardGetsEveryLineWithCrLf() {
    settings->Kind = ProtocolKind::RegistersAndInstruction;
    settings->LastRegister = 1;
    heading();
    entry(0);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("vorher"));
    QTest::mouseClick(window->ZwischenablageButton, Qt::LeftButton);
    QCOMPARE(clipboard->text(), QStringLiteral("Befehl\tR 0\tR 1\t\r\n\t0\t0\t\r\n1 cload 5\r\n"));
    // The whole text stays selected, up to the empty row after the last line.
    QCOMPARE(window->ProtokollMemo->anchor(), (ProtocolView::Position{0, 0}));
    QCOMPARE(window->ProtokollMemo->caret(), (ProtocolView::Position{3, 0}));
}

void TestProtocolWindow::clipboardBeforeTheFirstResetIsEmpty() {
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    window->ZwischenablageButtonClick();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void TestProtocolWindow::helpOpensTopicSix() {
    QTest::mouseClick(window->HilfeButton, Qt::LeftButton);
    QCOMPARE(dialogs->log, QStringList{QStringLiteral("help:6")});
}

void TestProtocolWindow::closingHidesAndReports_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Schließen") << true;
    QTest::newRow("title bar") << false;
}

void TestProtocolWindow::closingHidesAndReports() {
    QFETCH(bool, byButton);
    heading();
    window->show();
    QSignalSpy hidden(window, &TProtokollFormular::hiddenByUser);
    QPointer<TProtokollFormular> alive(window);
    if (byButton)
        QTest::mouseClick(window->SchliessenButton, Qt::LeftButton);
    else
        QVERIFY(window->close()); // accepted, so closing all windows at exit is not blocked
    QCOMPARE(hidden.count(), 1);
    QVERIFY(alive);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->protocolLines().size(), 1);
}

void TestProtocolWindow::positionAndSizeSurviveHiding() {
    window->show();
    window->setGeometry(QRect(QPoint(100, 120), QSize(520, 400)));
    const QRect geometry = window->geometry();
    window->SchliessenButtonClick();
    window->show();
    QCOMPARE(window->geometry(), geometry);
}

void TestProtocolWindow::cancelledPrintDoesNothing() {
    QTest::mouseClick(window->DruckButton, Qt::LeftButton);
    QCOMPARE(dialogs->log, QStringList{QStringLiteral("print")});
}

void TestProtocolWindow::printWritesToTheChosenPrinter() {
    heading();
    entry(0);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("protokoll.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    dialogs->printer = &printer;
    window->setFileNameSource([] { return QStringLiteral("/tmp/test.rmp"); });
    QTest::mouseClick(window->DruckButton, Qt::LeftButton);
    QCOMPARE(dialogs->log, QStringList{QStringLiteral("print")});
    // Offered as PDF: a name of its own in the program's folder.
    QCOMPARE(dialogs->printPdfNames,
             QStringList{QFileInfo(QStringLiteral("/tmp/Protokoll.pdf")).absoluteFilePath()});
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestProtocolWindow::printFailureGoesToTheErrorDisplay() {
    heading();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/sub/protokoll.pdf"));
    dialogs->printer = &printer;
    window->DruckButtonClick(); // must not throw
    QCOMPARE(dialogs->log.size(), 2);
    QVERIFY(dialogs->log.at(1).startsWith(QStringLiteral("showError:")));
    QCOMPARE(window->protocolLines().size(), 1);
}

QTEST_MAIN(TestProtocolWindow)
#include "tst_protocolwindow.moc"
