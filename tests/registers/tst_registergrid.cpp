#include "fakedialogs.h"
#include "registervalueedit.h"
#include "screenpixels.h"
#include "shapedtext.h"
#include "tRegisterEditor.h"
#include "zevoerror.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString IncompleteEntry = QStringLiteral(
    "showError:Ungültiger Eingabewert. Mit der Taste ESC machen Sie die Änderungen rückgängig.");
const QRgb Silver = qRgb(192, 192, 192) & RGB_MASK;
const QRgb Cream = qRgb(255, 251, 240) & RGB_MASK;

// Collects the regions the viewport paints.
class PaintLog : public QObject {
public:
    QVector<QRect> painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted.append(static_cast<QPaintEvent*>(e)->region().boundingRect());
        return false;
    }
};
} // namespace

class TestRegisterGrid : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    TRegisterEditor* grid = nullptr;
    QLineEdit* outside = nullptr;
    FakeDialogs* dialogs = nullptr;

    RegisterValueEdit* editor() const { return grid->currentEditor(); }
    QPoint cellCentre(int row, int column) const {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    void click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(row, column));
    }
    QImage rendered() const { return grid->viewport()->grab().toImage(); }
    // What the viewport's pixels on screen are: the backing store with every
    // incremental paint, unlike grab(), which renders afresh.
    QImage onScreen() const { return ::onScreen(grid->viewport()); }
    QImage freshRender() const { return ::freshRender(grid->viewport()); }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QRgb keyCellBackground(const QImage& image, int row) const {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        return image.pixel(cell.right() - 3, cell.center().y()) & RGB_MASK;
    }
    // The first pixel row of the key cell that holds text (darker than the background).
    int firstTextRow(const QImage& image, int row) const {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x < cell.left() + 20; ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    return y - cell.top();
        return -1;
    }
    void typeInto(int row, const QString& keys) {
        click(row, 1);
        QTest::keyClicks(editor(), keys);
    }

private slots:
    void initTestCase() {
        // A blinking caret in the open editor would make two grabs differ.
        QApplication::setCursorFlashTime(0);
    }
    void init() {
        window = new QWidget;
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        window->setFont(font);
        window->resize(420, 420);
        grid = new TRegisterEditor(window);
        grid->setGeometry(256, 48, 137, 353);
        outside = new QLineEdit(window);
        outside->setGeometry(10, 48, 200, 22);
        dialogs = new FakeDialogs;
        grid->setDialogs(dialogs);
        grid->SetRegisterEditMasks();
        grid->SetMarkChanges(true);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        editor()->setFocus();
    }
    void cleanup() {
        delete window;
        delete dialogs;
    }

    // A wider face than the layout's (as Windows resolved it) cut the heading
    // to "Registe": the key column follows the font in use.
    void headingFitsAWiderFace() {
        QFont wide(QStringLiteral("Liberation Sans"));
        wide.setPixelSize(15);
        window->setFont(wide);
        QHeaderView* title = grid->horizontalHeader();
        QVERIFY(title->sectionSize(0) > QFontMetrics(title->font()).horizontalAdvance(QStringLiteral("Register")));
        QCOMPARE(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width());
    }

    void appearance() {
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Register"));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Wert"));
        QVERIFY(grid->verticalHeader()->isHidden());
        QCOMPARE(grid->horizontalHeader()->height(), 18);
        QCOMPARE(grid->columnWidth(0), 47);
        QCOMPARE(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width());
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        QCOMPARE(grid->horizontalScrollBar()->value(), 0); // the keys stay in sight
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        for (int n = 0; n < 51; ++n) {
            QCOMPARE(grid->rowHeight(n), 18);
            QCOMPARE(grid->editMask(n), QStringLiteral("0999999999;0; "));
        }
        // A larger font of the window changes neither the rows nor the heading.
        QFont large = window->font();
        large.setPixelSize(20);
        window->setFont(large);
        QCoreApplication::processEvents();
        QCOMPARE(grid->rowHeight(50), 18);
        QCOMPARE(grid->horizontalHeader()->height(), 18);
        // Dragging the boundary gives the value column what the keys leave.
        grid->horizontalHeader()->resizeSection(0, 60);
        QCOMPARE(grid->columnWidth(1), grid->viewport()->width() - 60);
    }

    // Cell texts are drawn from kept glyphs: the same pixels as the painter's
    // own text in a rectangle (clipped when too wide), in whatever font is set.
    void keptGlyphsDrawAsThePainterDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("key") << "R7" << 45;
        QTest::newRow("value") << "2147483647" << 65;
        QTest::newRow("too wide, clipped") << "-2147483648" << 30;
    }
    void keptGlyphsDrawAsThePainterDoes() {
        QFETCH(QString, text);
        QFETCH(int, width);
        ShapedTextCache cache;
        for (const int pixels : {11, 16, 11}) {
            QImage expected(80, 24, QImage::Format_RGB32);
            QImage drawn = expected;
            for (QImage* image : {&expected, &drawn}) {
                image->fill(Cream);
                QPainter painter(image);
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPixelSize(pixels);
                painter.setFont(font);
                const QRect rect(3, 2, width, 16);
                if (image == &expected)
                    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
                else
                    cache.drawInRect(painter, rect, text);
            }
            QCOMPARE(drawn, expected);
        }
    }

    void startShowsR0MarkedAndTheEditorOnItsValue() {
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 1);
        QCOMPARE(editor()->text(), QStringLiteral("0"));
        QCOMPARE(editor()->selectedText(), QStringLiteral("0"));
        const QImage image = rendered();
        QCOMPARE(keyCellBackground(image, 0), Silver);
        QCOMPARE(keyCellBackground(image, 1), Cream);
        QCOMPARE(firstTextRow(image, 0) + 1, firstTextRow(image, 1)); // one pixel higher
    }

    // before: typed keys, or "=N" for a value the program wrote, the cursor then
    // at its end; typed: one key, or a paste of several characters.
    void refusedKeys_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::newRow("minus") << "" << "-";
        QTest::newRow("plus") << "5" << "+";
        QTest::newRow("letter") << "5" << "a";
        QTest::newRow("blank") << "12" << " ";
        QTest::newRow("eleventh digit") << "1234567890" << "1";
        QTest::newRow("pasted letters") << "5" << "abc";
        QTest::newRow("pasted letters after a written negative") << "=-5" << "abc";
        QTest::newRow("digit beyond a written eleven characters") << "=-2147483648" << "1";
    }
    void refusedKeys() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        if (before.startsWith(u'=')) {
            before.remove(0, 1);
            grid->WriteRegister(0, before.toInt());
            QTest::keyClick(editor(), Qt::Key_End);
        } else {
            QTest::keyClicks(editor(), before);
        }
        const QString expected = before.isEmpty() ? QStringLiteral("0") : before;
        dialogs->log.clear();
        if (typed.size() == 1) {
            QTest::keyClick(editor(), typed.at(0).toLatin1());
        } else {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(dialogs->log, QStringList{QStringLiteral("beep")});
        QCOMPARE(editor()->text(), expected);
        QCOMPARE(grid->valueText(0), expected);
    }

    void refusedKeysAreSilentWithoutDialogs() {
        grid->setDialogs(nullptr);
        QTest::keyClick(editor(), 'x');
        QCOMPARE(grid->valueText(0), QStringLiteral("0"));
    }

    void typingIsTheRegisterAtOnce() {
        grid->WriteRegister(7, 70);
        QTest::keyClicks(editor(), QStringLiteral("12"));
        QCOMPARE(grid->valueText(0), QStringLiteral("12"));
        QCOMPARE(grid->ReadRegister(0), 12);
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->LastWrittenRegister, 7); // typing does not move the mark
        QTest::keyClicks(editor(), QStringLiteral("00000000"));
        QCOMPARE(grid->valueText(0), QStringLiteral("1200000000"));
        QCOMPARE(grid->ReadRegister(0), 1200000000);
    }

    void escapeBringsBackTheTextBeforeEditing() {
        grid->WriteRegister(3, -45);
        typeInto(3, QStringLiteral("12"));
        QCOMPARE(grid->valueText(3), QStringLiteral("12"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(editor()->text(), QStringLiteral("-45"));
        QCOMPARE(grid->valueText(3), QStringLiteral("-45"));
        // Deleting everything and Esc.
        QTest::keyClick(editor(), Qt::Key_End);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(editor(), Qt::Key_Backspace);
        QCOMPARE(grid->valueText(3), QString());
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid->valueText(3), QStringLiteral("-45"));
        // Editing begins anew each time the cursor comes back into the cell.
        typeInto(2, QStringLiteral("5"));
        outside->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(editor(), Qt::LeftButton);
        QTest::keyClick(editor(), Qt::Key_End);
        QTest::keyClicks(editor(), QStringLiteral("7"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid->valueText(2), QStringLiteral("5"));
        QVERIFY(dialogs->log.isEmpty());
    }

    // However the cursor enters a value cell, its whole text is selected, so
    // typing replaces the value.
    void enteringSelectsTheWholeText_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("click on another value") << "other";
        QTest::newRow("click on the current value, focus outside") << "current";
        QTest::newRow("click on the current key, focus outside") << "key";
        QTest::newRow("tab from outside") << "tab";
    }
    void enteringSelectsTheWholeText() {
        QFETCH(QString, way);
        grid->WriteRegister(1, 5);
        click(2, 1);
        if (way != QLatin1String("other")) {
            click(1, 1);
            QTest::mouseClick(outside, Qt::LeftButton);
            QVERIFY(outside->hasFocus());
        }
        if (way == QLatin1String("tab")) {
            QTest::keyClick(outside, Qt::Key_Tab);
        } else if (way == QLatin1String("current")) {
            // The open editor covers the current cell: the click lands on it.
            QTest::mouseClick(editor(), Qt::LeftButton, {},
                              QPoint(editor()->width() - 3, editor()->height() / 2));
        } else {
            click(1, way == QLatin1String("key") ? 0 : 1);
        }
        settle();
        QVERIFY(editor()->hasFocus());
        QTest::keyClicks(editor(), QStringLiteral("3"));
        QCOMPARE(grid->valueText(1), QStringLiteral("3"));
    }

    void undoAndPasteReachTheRegister() {
        QTest::keyClicks(editor(), QStringLiteral("12"));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid->valueText(0), editor()->text());
        editor()->selectAll();
        editor()->insert(QStringLiteral("x7")); // refused as a whole, as a paste would be
        QCOMPARE(grid->valueText(0), editor()->text());
        QVERIFY(editor()->text() != QStringLiteral("x7"));
    }

    void programWritesReachTheOpenEditor() {
        QTest::keyClicks(editor(), QStringLiteral("9"));
        grid->WriteRegister(0, -5);
        QCOMPARE(editor()->text(), QStringLiteral("-5"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid->valueText(0), QStringLiteral("-5")); // the written text is the new start
        grid->ClearRegisters();
        QCOMPARE(editor()->text(), QStringLiteral("0"));
    }

    // All digits of the value are deleted, which leaves a written minus sign.
    void leavingAnEmptiedCell_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("written");
        QTest::newRow("click on another value") << "click" << 77;
        QTest::newRow("click on another key") << "key" << 77;
        QTest::newRow("arrow down") << "down" << 77;
        QTest::newRow("focus to another control") << "outside" << 77;
        QTest::newRow("a written minus sign, click") << "click" << -5;
        QTest::newRow("a written minus sign, focus away") << "outside" << -5;
    }
    void leavingAnEmptiedCell() {
        QFETCH(QString, how);
        QFETCH(int, written);
        grid->WriteRegister(2, written);
        typeInto(2, QString());
        QTest::keyClick(editor(), Qt::Key_End);
        const QString remaining = written < 0 ? QStringLiteral("-") : QString();
        for (int i = 0; i < 12 && editor()->text() != remaining; ++i)
            QTest::keyClick(editor(), Qt::Key_Backspace);
        dialogs->log.clear();
        if (how == QLatin1String("click"))
            click(5, 1);
        else if (how == QLatin1String("key"))
            click(5, 0);
        else if (how == QLatin1String("down"))
            QTest::keyClick(editor(), Qt::Key_Down);
        else
            outside->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents(); // the report after a focus change comes queued
        QCOMPARE(dialogs->log, (QStringList{QStringLiteral("beep"), IncompleteEntry}));
        QCOMPARE(grid->currentRow(), 2); // the cell is not left
        QCOMPARE(grid->valueText(2), remaining);
        editor()->setFocus();
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(grid->valueText(2), QString::number(written));
        click(5, 1);
        QCOMPARE(grid->currentRow(), 5);
        QCOMPARE(dialogs->log.size(), 2);
    }

    void leavingACompleteOrUntouchedCellIsSilent() {
        typeInto(4, QStringLiteral("0"));
        click(6, 1);
        QTest::keyClick(editor(), Qt::Key_Down);
        outside->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(dialogs->log.isEmpty());
        QCOMPARE(grid->currentRow(), 7);
    }

    void keyCellsAreNeverCurrent() {
        click(5, 0);
        QCOMPARE(grid->currentRow(), 5);
        QCOMPARE(grid->currentColumn(), 1);
        QVERIFY(editor()->hasFocus());
        QCOMPARE(editor()->selectedText(), QStringLiteral("0"));
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Right, Qt::Key_End}) {
            QTest::keyClick(editor(), key);
            QCOMPARE(grid->currentColumn(), 1);
        }
        QTest::keyClick(editor(), Qt::Key_PageDown);
        QVERIFY(grid->currentRow() > 5);
        QCOMPARE(grid->currentColumn(), 1);
        QTest::keyClick(editor(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid->currentRow(), 0);
        grid->setCurrentCell(9, 0);
        QCOMPARE(grid->currentColumn(), 1);
        for (QTableWidgetItem* selected : grid->selectedItems())
            QCOMPARE(selected->column(), 1);
        QVERIFY(!(grid->item(9, 0)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEditable)));
    }

    void tabEntersAndLeavesTheGrid() {
        auto* after = new QLineEdit(window);
        after->setGeometry(10, 80, 200, 22);
        after->show();
        QWidget::setTabOrder(outside, grid);
        QWidget::setTabOrder(grid, after);
        for (int row : {0, 6}) {
            grid->setCurrentCell(row, 1);
            outside->setFocus();
            QTest::keyClick(outside, Qt::Key_Tab);
            QVERIFY(editor()->hasFocus());
            QCOMPARE(editor()->selectedText(), QStringLiteral("0"));
            QTest::keyClick(editor(), Qt::Key_Tab);
            QVERIFY(after->hasFocus());
            QTest::keyClick(after, Qt::Key_Backtab);
            QVERIFY(editor()->hasFocus());
        }
    }

    void clickReportsOnlyUserMoves() {
        QSignalSpy clicks(grid, &TRegisterEditor::registerEditorClicked);
        click(4, 1);
        QCOMPARE(clicks.size(), 1);
        QTest::keyClick(editor(), Qt::Key_Down);
        QCOMPARE(clicks.size(), 2);
        QTest::mouseClick(editor(), Qt::LeftButton); // into the open editor
        QCOMPARE(clicks.size(), 3);
        QTest::keyClicks(editor(), QStringLiteral("42"));
        grid->WriteRegister(8, 1);
        grid->ClearRegisters();
        grid->RestoreRegisters();
        grid->setCurrentCell(12, 1);
        QCOMPARE(clicks.size(), 3);
        QTest::keyClick(editor(), Qt::Key_Up);
        QCOMPARE(clicks.size(), 4);
    }

    void markFollowsWritesOnTheRenderedCells() {
        grid->WriteRegister(7, 123);
        QImage image = rendered();
        QCOMPARE(keyCellBackground(image, 7), Silver);
        QCOMPARE(keyCellBackground(image, 0), Cream);
        grid->RestoreRegisters();
        grid->ClearRegisters();
        QCOMPARE(keyCellBackground(rendered(), 7), Silver); // neither moves the mark

        PaintLog paints;
        grid->viewport()->installEventFilter(&paints);
        QCoreApplication::processEvents();
        paints.painted.clear();
        grid->SetMarkChanges(false);
        QCoreApplication::processEvents();
        QVERIFY(paints.painted.isEmpty()); // shows at the next repaint only

        grid->WriteRegister(9, 1);
        QCoreApplication::processEvents();
        QVERIFY(!paints.painted.isEmpty());
        QCOMPARE(onScreen(), freshRender()); // the old mark is gone from the screen too
        image = rendered();
        for (int row = 0; row < 12; ++row)
            QCOMPARE(keyCellBackground(image, row), Cream);
        grid->SetMarkChanges(true);
        QCOMPARE(keyCellBackground(rendered(), 9), Silver);
    }

    // A write repaints only what it changes; whatever the order of writes, mark
    // toggles, scrolls, clearing, restoring and typing, the pixels on screen must
    // be those of a repaint of the whole grid. Steps joined by "," run without
    // the event loop in between. Steps: wN write a new value to register N, WN
    // write its own value again, m0/m1 marking off/on (the screen must not
    // change), c clear, s save, r restore, vN scroll to row N, kN click the value
    // of row N, tDIGITS type, e Esc.
    void screenMatchesAFullRepaint_data() {
        QTest::addColumn<QString>("steps");
        QTest::newRow("writes move the mark") << "w7 w9 w9 w0 w12 w3 w8 w7";
        QTest::newRow("the same text again") << "w4 W4 w6 W4 W4";
        QTest::newRow("marking off and on") << "w7 m0 w9 w2 m1 w5 m0 W5 m1 W5 m0 m1 w6";
        QTest::newRow("clear, save, restore") << "w3 s w8 r m0 c m1 r w11 w30 s c r";
        QTest::newRow("scrolled") << "w2 v15 w30 w3 v0 w40 v33 w50 w20 v10 w12 v0";
        QTest::newRow("scroll between repaints")
            << "w7,v10,w20 w25,v0,w1 v20,w8,v0 w30,v12,w31,w12";
        QTest::newRow("marking off while scrolled") << "w3 v20 m0 w25 v0 m1 w4 v12";
        QTest::newRow("typing") << "k5 t12 w9 t3 e w5 k9 W9 t7 w2,t4 e";
        QTest::newRow("many writes between repaints") << "w1,w2,w3,w4,w5 w6,w5,w6 m0 w3,w4";
    }
    void screenMatchesAFullRepaint() {
        QFETCH(QString, steps);
        settle();
        QCOMPARE(onScreen(), freshRender());
        int written = 0;
        for (const QString& group : steps.split(QLatin1Char(' '))) {
            bool toggled = false;
            const QImage before = onScreen();
            for (const QString& step : group.split(QLatin1Char(','))) {
                const QChar kind = step.at(0);
                const QString rest = step.mid(1);
                const int n = rest.toInt();
                if (kind == QLatin1Char('w')) {
                    ++written;
                    grid->WriteRegister(n, written * 7919 * (written % 2 ? -1 : 1));
                } else if (kind == QLatin1Char('W'))
                    grid->WriteRegister(n, grid->ReadRegister(n));
                else if (kind == QLatin1Char('m')) {
                    grid->SetMarkChanges(n != 0);
                    toggled = true;
                } else if (kind == QLatin1Char('c'))
                    grid->ClearRegisters();
                else if (kind == QLatin1Char('s'))
                    grid->SaveRegisters();
                else if (kind == QLatin1Char('r'))
                    grid->RestoreRegisters();
                else if (kind == QLatin1Char('v'))
                    grid->verticalScrollBar()->setValue(n);
                else if (kind == QLatin1Char('k'))
                    click(n, 1);
                else if (kind == QLatin1Char('t'))
                    QTest::keyClicks(editor(), rest);
                else if (kind == QLatin1Char('e'))
                    QTest::keyClick(editor(), Qt::Key_Escape);
                else
                    QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
            }
            settle();
            const QImage shown = onScreen();
            if (toggled) {
                QVERIFY2(shown == before, qPrintable(group)); // nothing repainted
                continue;
            }
            QVERIFY2(shown == freshRender(), qPrintable(group));
        }
        QVERIFY(dialogs->log.isEmpty());
    }

    // Neither a write into the current cell (its open editor shows the new text)
    // nor the mark moving repaints what lies under the grid, as the empty frame
    // of its group box does in the main window.
    void writesRepaintNothingBeneathTheGrid() {
        auto* frame = new QWidget(window);
        frame->setGeometry(grid->geometry().adjusted(-8, -16, 8, 8));
        frame->stackUnder(grid);
        frame->show();
        PaintLog beneath;
        for (QWidget* w : {window, frame, static_cast<QWidget*>(grid)})
            w->installEventFilter(&beneath);
        settle();
        beneath.painted.clear();
        for (int i = 1; i <= 4; ++i) {
            grid->WriteRegister(0, i); // the current cell
            if (i % 2)
                grid->WriteRegister(7, -i); // the mark leaves R0 and comes back
            settle();
        }
        QCOMPARE(editor()->text(), QStringLiteral("4"));
        QCOMPARE(beneath.painted, QVector<QRect>());
    }

    void typingRepaintsOnlyTheEditedCell() {
        PaintLog paints;
        grid->viewport()->installEventFilter(&paints);
        QCoreApplication::processEvents();
        paints.painted.clear();
        typeInto(3, QStringLiteral("5"));
        QCoreApplication::processEvents();
        for (const QRect& area : paints.painted)
            QVERIFY(area.left() >= grid->columnWidth(0) - 1); // the keys are not repainted
    }

    void saveWithTooLargeTypedValue() {
        for (int n = 0; n < 51; ++n)
            grid->SavedValues[n] = -1;
        grid->WriteRegister(19, 19);
        typeInto(20, QStringLiteral("3000000000"));
        QCOMPARE(grid->valueText(20), QStringLiteral("3000000000"));
        try {
            grid->SaveRegisters();
            QFAIL("no conversion error");
        } catch (const ZevoError& e) {
            QCOMPARE(e.message(), QStringLiteral("'3000000000' ist kein gültiger Integerwert"));
        }
        QCOMPARE(grid->SavedValues[0], 0);
        QCOMPARE(grid->SavedValues[19], 19);
        QCOMPARE(grid->SavedValues[20], -1);
        QCOMPARE(grid->SavedValues[50], -1);
    }
};

QTEST_MAIN(TestRegisterGrid)
#include "tst_registergrid.moc"
