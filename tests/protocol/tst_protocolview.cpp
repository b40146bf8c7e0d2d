#include "protocolview.h"
#include "screenpixels.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

Q_DECLARE_METATYPE(ProtocolView::Position)

namespace {
using Position = ProtocolView::Position;

// A register line of 51 columns, as the widest protocol has them.
QString registerLine(int step) {
    QString line = QStringLiteral("\t");
    for (int r = 0; r <= 50; ++r)
        line += QString::number(r == 0 ? step : (r * 7919 + step) % 100000) + u'\t';
    return line;
}
} // namespace

// Failure messages show where the caret stands (found by argument lookup).
char* toString(const ProtocolView::Position& p) {
    return QTest::toString(QStringLiteral("(%1, %2)").arg(p.line).arg(p.column));
}

class TestProtocolView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void linesKeepEveryCharacter();
    void columnsStandOnTabStops();
    void screenMatchesAFullRepaint_data();
    void screenMatchesAFullRepaint();
    void horizontalRangeCoversTheWidestLine();
    void fontChangeDropsKeptGlyphs();
    void mouseSelection_data();
    void mouseSelection();
    void keyboardMovesAndSelects_data();
    void keyboardMovesAndSelects();
    void otherKeysChangeNothing();
    void copyPutsTheSelectionOnTheClipboard();

private:
    // What a part of the view (the viewport unless named) shows on screen,
    // against a fresh render of the whole part.
    QImage onScreen(QWidget* part = nullptr) const {
        return ::onScreen(part ? part : view->viewport());
    }
    QImage freshRender(QWidget* part = nullptr) const {
        return ::freshRender(part ? part : view->viewport());
    }
    QPoint pointOf(Position p) const;
    // The x of the first column with ink in a row of the fresh render, from x on.
    int firstInk(qsizetype line, int fromX) const;

    QWidget* window = nullptr;
    ProtocolView* view = nullptr;
};

void TestProtocolView::init() {
    window = new QWidget;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    window->setFont(font);
    window->resize(450, 252);
    view = new ProtocolView(window);
    view->setGeometry(0, 0, 450, 252);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestProtocolView::cleanup() {
    delete window;
}

QPoint TestProtocolView::pointOf(Position p) const {
    // Find the point by searching the view's own mapping: the first x that maps to
    // the column, in the middle of the row.
    for (int y = 0; y < view->viewport()->height(); ++y) {
        if (view->positionAt(QPoint(0, y)).line != p.line)
            continue;
        const int middle = y + view->fontMetrics().lineSpacing() / 2;
        for (int x = 0; x < view->viewport()->width(); ++x)
            if (view->positionAt(QPoint(x, middle)).column >= p.column)
                return QPoint(x, middle);
    }
    return {};
}

int TestProtocolView::firstInk(qsizetype line, int fromX) const {
    const QImage image = freshRender();
    const int top = pointOf(Position{line, 0}).y() - view->fontMetrics().lineSpacing() / 2;
    for (int x = fromX; x < image.width(); ++x)
        for (int y = top; y < top + view->fontMetrics().lineSpacing(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

void TestProtocolView::linesKeepEveryCharacter() {
    const QStringList lines{QStringLiteral("Befehl\tR 0\t"),
                            QString(),
                            QStringLiteral("10 cload 5 // Zähler"),
                            QStringLiteral("\t-2147483648\t"),
                            QStringLiteral("一 😀 end"),
                            QStringLiteral("  ")};
    view->appendLines(lines.mid(0, 2));
    view->appendLines(lines.mid(2));
    QCOMPARE(view->lines(), lines);
    QCOMPARE(view->lineCount(), lines.size());
    QCOMPARE(view->line(-1), QString());
    QCOMPARE(view->line(lines.size()), QString()); // the empty row after the last line
    view->selectAll();
    QCOMPARE(view->selectedText(), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    view->clear();
    QCOMPARE(view->lineCount(), 0);
    QVERIFY(!view->hasSelection());
    view->appendLines({QStringLiteral("neu")});
    QCOMPARE(view->lines(), QStringList{QStringLiteral("neu")});
}

// Every piece after a TAB starts on a stop eight average character widths
// (widths of "x") apart, measured in the pixels painted.
void TestProtocolView::columnsStandOnTabStops() {
    view->appendLines({QStringLiteral("\tH"), QStringLiteral("ii\tH"),
                       QStringLiteral("12345678901\tH"), QStringLiteral("\t\tH")});
    const int tab = qRound(view->tabStopDistance());
    QCOMPARE(view->tabStopDistance(), 8 * QFontMetricsF(view->font()).horizontalAdvance(u'x'));
    const int origin = firstInk(0, 0) - tab;
    QVERIFY(origin >= 0);
    QCOMPARE(firstInk(1, origin + tab - 2), origin + tab);
    // Eleven digits reach past the first stop: the TAB goes on to the next one.
    const int afterDigits = view->fontMetrics().horizontalAdvance(QStringLiteral("12345678901"));
    QVERIFY(afterDigits > tab && afterDigits < 2 * tab);
    QCOMPARE(firstInk(2, origin + afterDigits + 1), origin + 2 * tab);
    QCOMPARE(firstInk(3, 0), origin + 2 * tab);
}

void TestProtocolView::screenMatchesAFullRepaint_data() {
    QTest::addColumn<QString>("steps");
    // a: append an entry; A: append 30 entries without painting in between;
    // s: select all; c: clear; h: scroll right; t: scroll to the top; d: drag a
    // selection; f: focus the view (caret shows).
    QTest::newRow("appends") << "a a a a a a a a a a a a a a a a a a a a a a";
    QTest::newRow("a long run") << "A A A A A A A A A A a a a a a A a a a t a";
    QTest::newRow("many between paints") << "A a A A a";
    QTest::newRow("selection, then appends") << "A s a a s a";
    QTest::newRow("scrolled away, then appends") << "A h a t a h t a";
    QTest::newRow("clear") << "A c a a c";
    QTest::newRow("drag and focus") << "A d a f a d a";
}

// An append scrolls the old pixels and paints only the new rows, and the scroll
// bars repaint only when they would look different; whatever the sequence, the
// screen must show what a repaint of the whole view shows.
void TestProtocolView::screenMatchesAFullRepaint() {
    QFETCH(QString, steps);
    QApplication::setCursorFlashTime(0);
    int step = 0;
    for (const QString& s : steps.split(u' ')) {
        switch (s.at(0).toLatin1()) {
        case 'a':
            view->appendLines({registerLine(++step), QStringLiteral("20 cadd 1")});
            break;
        case 'A':
            for (int i = 0; i < 30; ++i)
                view->appendLines({registerLine(++step), QStringLiteral("30 store 7")});
            break;
        case 's':
            view->selectAll();
            break;
        case 'c':
            view->clear();
            view->appendLines({QStringLiteral("Befehl\tR 0\tR 1\t")});
            break;
        case 'h':
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 2);
            break;
        case 't':
            view->verticalScrollBar()->setValue(0);
            break;
        case 'd':
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
            QTest::mouseMove(view->viewport(), QPoint(200, 80));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(200, 80));
            break;
        case 'f':
            view->setFocus();
            break;
        }
        QCoreApplication::processEvents();
        QCOMPARE(onScreen(), freshRender());
        QCOMPARE(onScreen(view->verticalScrollBar()), freshRender(view->verticalScrollBar()));
        QCOMPARE(onScreen(view->horizontalScrollBar()), freshRender(view->horizontalScrollBar()));
    }
}

void TestProtocolView::horizontalRangeCoversTheWidestLine() {
    QScrollBar* horizontal = view->horizontalScrollBar();
    QCOMPARE(horizontal->maximum(), 0);
    view->appendLines({registerLine(1), QStringLiteral("kurz")});
    const int widest = horizontal->maximum() + view->viewport()->width();
    QVERIFY(widest > 51 * view->tabStopDistance());
    // Scrolled fully right, the end of the widest line is in view.
    horizontal->setValue(horizontal->maximum());
    const Position end = view->positionAt(QPoint(view->viewport()->width() - 5, 8));
    QCOMPARE(end, (Position{0, registerLine(1).size()}));
    view->clear();
    QCOMPARE(horizontal->maximum(), 0);
}

// Pieces are drawn from glyphs kept from earlier paints; after a font change
// the view must look like one made with the new font.
void TestProtocolView::fontChangeDropsKeptGlyphs() {
    const QStringList lines{registerLine(1), QStringLiteral("20 cadd 1")};
    view->appendLines(lines);
    QCoreApplication::processEvents();
    QFont larger = window->font();
    larger.setPixelSize(16);
    window->setFont(larger);
    QWidget other;
    other.setFont(larger);
    auto* fresh = new ProtocolView(&other);
    fresh->setGeometry(view->geometry());
    fresh->appendLines(lines);
    view->clearFocus(); // no caret in either
    QCOMPARE(freshRender(), ::freshRender(fresh->viewport()));
}

void TestProtocolView::mouseSelection_data() {
    QTest::addColumn<Position>("from");
    QTest::addColumn<Position>("to");
    QTest::addColumn<QString>("selected");
    QTest::newRow("inside a line") << Position{1, 3} << Position{1, 9} << "cload ";
    QTest::newRow("backwards") << Position{1, 9} << Position{1, 3} << "cload ";
    QTest::newRow("over a line break") << Position{0, 2} << Position{1, 2} << "\t5\t\r\n10";
    QTest::newRow("to the empty row") << Position{2, 0} << Position{3, 0} << "20 end\r\n";
}

void TestProtocolView::mouseSelection() {
    QFETCH(Position, from);
    QFETCH(Position, to);
    QFETCH(QString, selected);
    view->appendLines(
        {QStringLiteral("\t0\t5\t"), QStringLiteral("10 cload 5"), QStringLiteral("20 end")});
    const QPoint start = pointOf(from);
    const QPoint end = pointOf(to);
    QCOMPARE(view->positionAt(start), from);
    QCOMPARE(view->positionAt(end), to);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(view->viewport(), end);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, end);
    QCOMPARE(view->selectedText(), selected);

    // A click without a drag drops the selection; a double click takes the word.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointOf(Position{1, 5}));
    QVERIFY(!view->hasSelection());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, pointOf(Position{1, 5}));
    QCOMPARE(view->selectedText(), QStringLiteral("cload"));
}

void TestProtocolView::keyboardMovesAndSelects_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Position>("caret");
    QTest::addColumn<QString>("selected");
    // The caret starts on the empty row after the last line.
    QTest::newRow("up, home, shift end") << "Up Home S-End" << Position{2, 6} << "20 end";
    QTest::newRow("left wraps to the line above") << "Left" << Position{2, 6} << "";
    QTest::newRow("shift left over the break") << "S-Left S-Left" << Position{2, 5} << "d\r\n";
    QTest::newRow("up keeps the column, clamped")
        << "Up Up End Up S-Down" << Position{1, 5} << "\r\n10 cl";
    QTest::newRow("ctrl home, shift ctrl end")
        << "C-Home S-C-End" << Position{3, 0} << "\t0\t5\t\r\n10 cload 5\r\n20 end\r\n";
    QTest::newRow("select all") << "C-A" << Position{3, 0}
                                << "\t0\t5\t\r\n10 cload 5\r\n20 end\r\n";
    QTest::newRow("page up stops at the top") << "PgUp S-Right" << Position{0, 1} << "\t";
    QTest::newRow("right at the end stays") << "Right Right" << Position{3, 0} << "";
}

void TestProtocolView::keyboardMovesAndSelects() {
    QFETCH(QString, keys);
    QFETCH(Position, caret);
    QFETCH(QString, selected);
    view->appendLines(
        {QStringLiteral("\t0\t5\t"), QStringLiteral("10 cload 5"), QStringLiteral("20 end")});
    view->setFocus();
    const QHash<QString, Qt::Key> names{{"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
                                        {"Left", Qt::Key_Left},   {"Right", Qt::Key_Right},
                                        {"Home", Qt::Key_Home},   {"End", Qt::Key_End},
                                        {"PgUp", Qt::Key_PageUp}, {"A", Qt::Key_A}};
    for (QString key : keys.split(u' ')) {
        Qt::KeyboardModifiers modifiers;
        while (key.size() > 2 && key.at(1) == u'-') {
            modifiers |= key.startsWith(u'S') ? Qt::ShiftModifier : Qt::ControlModifier;
            key = key.mid(2);
        }
        QTest::keyClick(view, names.value(key), modifiers);
    }
    QCOMPARE(view->caret(), caret);
    QCOMPARE(view->selectedText(), selected);
}

// Read-only: typing, Enter, Delete and TAB leave the lines alone, and TAB moves
// the focus on.
void TestProtocolView::otherKeysChangeNothing() {
    auto* next = new QWidget(window);
    next->setFocusPolicy(Qt::StrongFocus);
    next->show();
    view->appendLines({QStringLiteral("20 end")});
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("abc"));
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(view->lines(), QStringList{QStringLiteral("20 end")});
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
}

void TestProtocolView::copyPutsTheSelectionOnTheClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("vorher"));
    view->appendLines({QStringLiteral("R 0\t"), QStringLiteral("7\t")});
    view->copySelection(); // nothing selected: the clipboard keeps its text
    QCOMPARE(clipboard->text(), QStringLiteral("vorher"));
    view->selectAll();
    view->copySelection();
    QCOMPARE(clipboard->text(), QStringLiteral("R 0\t\r\n7\t\r\n"));
}

QTEST_MAIN(TestProtocolView)
#include "tst_protocolview.moc"
