#include "protocolview.h"

#include "look.h"
#include "protocolaccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// Space between the frame and the text, as a plain text edit leaves it.
constexpr int Margin = 4;

bool isBlank(QChar c) {
    return c == u'\t' || c == u' ';
}

// A scroll bar that repaints only when it would look different. Every append
// moves the range and the value; with thousands of lines the handle moves by
// a fraction of a pixel, and painting the bar anyway costs more than the
// append itself.
class SteadyScrollBar final : public QScrollBar {
public:
    SteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
        : QScrollBar(orientation, parent) {}

    // Range and value changed together show once, after both, if at all.
    void beginChange() { ++m_changing; }
    void endChange() {
        if (--m_changing == 0 && look() != m_painted)
            update();
    }

protected:
    void sliderChange(SliderChange change) override {
        if (change != SliderOrientationChange && (m_changing > 0 || look() == m_painted))
            return;
        QScrollBar::sliderChange(change);
    }
    void paintEvent(QPaintEvent* event) override {
        m_painted = look();
        QScrollBar::paintEvent(event);
    }

private:
    struct Look {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool enabled = false;
        friend bool operator==(const Look&, const Look&) = default;
    };
    Look look() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return Look{style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                            QStyle::SC_ScrollBarSlider, this),
                    value() == minimum(), value() == maximum(), isEnabled()};
    }
    std::optional<Look> m_painted;
    int m_changing = 0;
};

// Opens a change on both bars of a view for the lifetime of the object.
class ScrollBarChange {
public:
    explicit ScrollBarChange(const QAbstractScrollArea& area)
        : m_bars{static_cast<SteadyScrollBar*>(area.verticalScrollBar()),
                 static_cast<SteadyScrollBar*>(area.horizontalScrollBar())} {
        for (SteadyScrollBar* bar : m_bars)
            bar->beginChange();
    }
    ~ScrollBarChange() {
        for (SteadyScrollBar* bar : m_bars)
            bar->endChange();
    }
    ScrollBarChange(const ScrollBarChange&) = delete;
    ScrollBarChange& operator=(const ScrollBarChange&) = delete;

private:
    std::array<SteadyScrollBar*, 2> m_bars;
};
} // namespace

ProtocolView::ProtocolView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    // The view paints every exposed pixel itself; scrolling can then move the
    // old pixels instead of painting them again.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    // Both bars always show. The scroll area's check whether to show or hide a
    // bar runs on every range change and re-raises both bars, which repaints
    // them and the frame under them on every append; with fixed bars it has
    // nothing to do. Bars that fill their own background spare the frame's
    // repaint when the vertical one changes.
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new SteadyScrollBar(Qt::Horizontal, this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        disconnect(bar, SIGNAL(rangeChanged(int, int)), this, nullptr);
        bar->setAutoFillBackground(true);
    }
    updateMetrics();
    ProtocolViewAccessible::install(); // where main() did not do it first
}

// --- content ---------------------------------------------------------------

void ProtocolView::appendLines(const QStringList& lines) {
    if (lines.isEmpty())
        return;
    const qsizetype firstNew = lineCount();
    const bool hadSelection = hasSelection();
    for (const QString& text : lines) {
        m_text.append(text.toUtf8());
        m_lineEnds.push_back(m_text.size());
        m_widest = qMax(m_widest, lineWidth(text));
    }
    m_caret = m_anchor = Position{lineCount(), 0};
    {
        const ScrollBarChange change(*this);
        updateScrollBars();
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    if (hadSelection)
        viewport()->update();
    else // the row that held the caret and the new ones
        updateRows(firstNew, rowCount() - 1);
    if (QAccessible::isActive())
        ProtocolViewAccessible::noteAppend(this, firstNew);
}

void ProtocolView::clear() {
    if (QAccessible::isActive())
        ProtocolViewAccessible::noteClear(this);
    m_textOffsets.clear();
    m_textOffsets.shrink_to_fit();
    m_text.clear();
    m_text.squeeze();
    m_lineEnds.clear();
    m_lineEnds.shrink_to_fit();
    m_widest = 0;
    m_caret = m_anchor = Position{};
    const ScrollBarChange change(*this);
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

QString ProtocolView::line(qsizetype i) const {
    if (i < 0 || i >= lineCount())
        return QString();
    const qsizetype start = i == 0 ? 0 : m_lineEnds[std::size_t(i - 1)];
    return QString::fromUtf8(m_text.constData() + start, m_lineEnds[std::size_t(i)] - start);
}

QStringList ProtocolView::lines() const {
    QStringList result;
    result.reserve(lineCount());
    for (qsizetype i = 0; i < lineCount(); ++i)
        result.append(line(i));
    return result;
}

qsizetype ProtocolView::lineLength(qsizetype row) const {
    return line(row).size();
}

qsizetype ProtocolView::textOffset(qsizetype row) const {
    row = qBound<qsizetype>(0, row, lineCount());
    if (m_textOffsets.empty())
        m_textOffsets.push_back(0);
    while (qsizetype(m_textOffsets.size()) <= row) {
        const qsizetype i = qsizetype(m_textOffsets.size()) - 1;
        m_textOffsets.push_back(m_textOffsets.back() + lineLength(i) + 1);
    }
    return m_textOffsets[std::size_t(row)];
}

ProtocolView::Position ProtocolView::positionAtOffset(qsizetype offset) const {
    const qsizetype end = textOffset(lineCount());
    offset = qBound<qsizetype>(0, offset, end);
    // The last row whose start is not after the offset.
    const auto after = std::upper_bound(m_textOffsets.begin(), m_textOffsets.end(), offset);
    const qsizetype row = qsizetype(after - m_textOffsets.begin()) - 1;
    return Position{row, qMin(offset - m_textOffsets[std::size_t(row)], lineLength(row))};
}

// --- selection -------------------------------------------------------------

QString ProtocolView::selectedText() const {
    const Position from = qMin(m_anchor, m_caret);
    const Position to = qMax(m_anchor, m_caret);
    if (from.line == to.line)
        return line(from.line).mid(from.column, to.column - from.column);
    QString text = line(from.line).mid(from.column);
    for (qsizetype row = from.line + 1; row < to.line; ++row) {
        text += QStringLiteral("\r\n");
        text += line(row);
    }
    text += QStringLiteral("\r\n");
    text += line(to.line).left(to.column);
    return text;
}

void ProtocolView::selectAll() {
    m_anchor = Position{0, 0};
    m_caret = Position{lineCount(), 0};
    viewport()->update();
    if (QAccessible::isActive())
        ProtocolViewAccessible::noteCaret(this);
}

void ProtocolView::copySelection() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void ProtocolView::moveCaret(Position to, bool keepAnchor) {
    to.line = qBound<qsizetype>(0, to.line, lineCount());
    to.column = qBound<qsizetype>(0, to.column, lineLength(to.line));
    const qsizetype oldFirst = qMin(m_anchor.line, m_caret.line);
    const qsizetype oldLast = qMax(m_anchor.line, m_caret.line);
    m_caret = to;
    if (!keepAnchor)
        m_anchor = to;
    updateRows(qMin(oldFirst, qMin(m_anchor.line, m_caret.line)),
               qMax(oldLast, qMax(m_anchor.line, m_caret.line)));
    if (QAccessible::isActive())
        ProtocolViewAccessible::noteCaret(this);
}

ProtocolView::Position ProtocolView::wordStart(Position p) const {
    const QString text = line(p.line);
    while (p.column > 0 && !isBlank(text.at(p.column - 1)))
        --p.column;
    return p;
}

ProtocolView::Position ProtocolView::wordEnd(Position p) const {
    const QString text = line(p.line);
    while (p.column < text.size() && !isBlank(text.at(p.column)))
        ++p.column;
    return p;
}

// --- measuring -------------------------------------------------------------

void ProtocolView::updateMetrics() {
    const QFontMetricsF metrics(font());
    for (std::size_t c = 0; c < m_asciiAdvance.size(); ++c)
        m_asciiAdvance[c] = metrics.horizontalAdvance(QChar(char16_t(c)));
    const QFontMetrics whole(font());
    // The same stops as the printout has.
    m_tabStop = Look::TabStopChars * Look::averageCharWidth(metrics);
    m_rowHeight = qMax(1, whole.lineSpacing());
    m_ascent = whole.ascent();
    m_widest = 0;
    for (qsizetype i = 0; i < lineCount(); ++i)
        m_widest = qMax(m_widest, lineWidth(line(i)));
    updateScrollBars();
    viewport()->update();
}

qreal ProtocolView::advance(QChar c) const {
    if (c.unicode() < m_asciiAdvance.size())
        return m_asciiAdvance[c.unicode()];
    if (c.isLowSurrogate())
        return 0; // measured with its high half
    if (c.isHighSurrogate())
        return m_asciiAdvance[u'M'];
    return QFontMetricsF(font()).horizontalAdvance(c);
}

qreal ProtocolView::nextTabStop(qreal x) const {
    if (m_tabStop <= 0)
        return x;
    return (std::floor(x / m_tabStop) + 1) * m_tabStop;
}

qreal ProtocolView::columnX(const QString& text, qsizetype column) const {
    qreal x = 0;
    const qsizetype end = qMin(column, text.size());
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = text.at(i);
        x = c == u'\t' ? nextTabStop(x) : x + advance(c);
    }
    return x;
}

qsizetype ProtocolView::columnAt(const QString& text, qreal x) const {
    qreal left = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const qreal right = c == u'\t' ? nextTabStop(left) : left + advance(c);
        if (x < (left + right) / 2)
            return (i > 0 && c.isLowSurrogate()) ? i - 1 : i;
        left = right;
    }
    return text.size();
}

qreal ProtocolView::lineWidth(const QString& text) const {
    return columnX(text, text.size());
}

// --- geometry and scrolling ------------------------------------------------

int ProtocolView::visibleRows() const {
    return qMax(1, (viewport()->height() - Margin) / m_rowHeight);
}

qsizetype ProtocolView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

int ProtocolView::rowTop(qsizetype row) const {
    return Margin + int(row - firstVisibleLine()) * m_rowHeight;
}

void ProtocolView::updateRows(qsizetype first, qsizetype last) {
    const qsizetype top = qMax(first, firstVisibleLine());
    const qsizetype bottom = qMin(last, firstVisibleLine() + visibleRows());
    if (top > bottom)
        return;
    const int y = top == firstVisibleLine() ? 0 : rowTop(top);
    viewport()->update(0, y, viewport()->width(), rowTop(bottom + 1) - y);
}

void ProtocolView::updateScrollBars() {
    // Scroll bar values beyond int cannot be shown; such a protocol would need
    // more than two billion lines.
    const qsizetype rows = qMin<qsizetype>(rowCount(), std::numeric_limits<int>::max());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, int(qMax<qsizetype>(0, rows - visibleRows())));
    vertical->setPageStep(visibleRows());
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = int(std::ceil(m_widest)) + 2 * Margin;
    horizontal->setRange(0, qMax(0, width - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(qMax(1, int(m_tabStop / 4))); // two average characters
}

void ProtocolView::scrollContentsBy(int dx, int dy) {
    // The margin above the first row stays empty; only the rows move.
    const QRect rows(0, Margin, viewport()->width(), viewport()->height() - Margin);
    viewport()->scroll(dx, dy * m_rowHeight, rows);
}

void ProtocolView::ensureCaretVisible() {
    QScrollBar* vertical = verticalScrollBar();
    if (m_caret.line < vertical->value())
        vertical->setValue(int(m_caret.line));
    else if (m_caret.line >= vertical->value() + visibleRows())
        vertical->setValue(int(m_caret.line - visibleRows() + 1));
    QScrollBar* horizontal = horizontalScrollBar();
    const int x = int(columnX(line(m_caret.line), m_caret.column));
    const int width = viewport()->width() - 2 * Margin;
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + width)
        horizontal->setValue(x - width);
}

void ProtocolView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ProtocolView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
}

// --- painting --------------------------------------------------------------

void ProtocolView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const QPalette& colours = palette();
    painter.fillRect(exposed, colours.brush(QPalette::Base));
    painter.setFont(font());

    const Position from = qMin(m_anchor, m_caret);
    const Position to = qMax(m_anchor, m_caret);
    const qreal left = Margin - horizontalScrollBar()->value();
    const qsizetype first = firstVisibleLine() + qMax(0, (exposed.top() - Margin) / m_rowHeight);
    const qsizetype last = qMin(
        rowCount() - 1, firstVisibleLine() + qMax(0, (exposed.bottom() - Margin) / m_rowHeight));
    for (qsizetype row = first; row <= last; ++row) {
        const QString text = line(row);
        const int top = rowTop(row);

        // Each TAB-separated piece is drawn at its own stop, and only if it shows.
        auto drawPieces = [&](const QRectF& clip) {
            qreal x = 0;
            qreal pieceX = 0;
            qsizetype start = 0;
            for (qsizetype i = 0; i <= text.size(); ++i) {
                if (i < text.size() && text.at(i) != u'\t') {
                    x += advance(text.at(i));
                    continue;
                }
                if (i > start && left + x >= clip.left() && left + pieceX <= clip.right())
                    m_shapes.draw(painter, QPointF(left + pieceX, top + m_ascent),
                                  text.mid(start, i - start));
                if (left + x > clip.right())
                    break;
                if (i < text.size())
                    x = nextTabStop(x);
                pieceX = x;
                start = i + 1;
            }
        };

        painter.setPen(colours.color(QPalette::Text));
        drawPieces(exposed);

        if (from != to && row >= from.line && row <= to.line) {
            const qreal x0 = left + (row == from.line ? columnX(text, from.column) : 0);
            qreal x1 = left + columnX(text, row == to.line ? to.column : text.size());
            if (row < to.line)
                x1 += advance(u' '); // the selected line break
            const QRectF selected(x0, top, x1 - x0, m_rowHeight);
            painter.fillRect(selected, colours.brush(QPalette::Highlight));
            painter.save();
            painter.setClipRect(selected);
            painter.setPen(colours.color(QPalette::HighlightedText));
            drawPieces(selected);
            painter.restore();
        }
        if (row == m_caret.line && hasFocus()) {
            const qreal x = left + columnX(text, m_caret.column);
            painter.fillRect(QRectF(x, top, 1, m_rowHeight), colours.color(QPalette::Text));
        }
    }
}

// --- input -----------------------------------------------------------------

void ProtocolView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool wholeText = event->modifiers() & Qt::ControlModifier;
    Position to = m_caret;
    switch (event->key()) {
    case Qt::Key_Left:
        if (to.column > 0)
            --to.column;
        else if (to.line > 0)
            to = Position{to.line - 1, lineLength(to.line - 1)};
        break;
    case Qt::Key_Right:
        if (to.column < lineLength(to.line))
            ++to.column;
        else if (to.line < lineCount())
            to = Position{to.line + 1, 0};
        break;
    case Qt::Key_Up:
        --to.line;
        break;
    case Qt::Key_Down:
        ++to.line;
        break;
    case Qt::Key_PageUp:
        to.line -= visibleRows();
        break;
    case Qt::Key_PageDown:
        to.line += visibleRows();
        break;
    case Qt::Key_Home:
        to = wholeText ? Position{} : Position{to.line, 0};
        break;
    case Qt::Key_End:
        to = wholeText ? Position{lineCount(), 0} : Position{to.line, lineLength(to.line)};
        break;
    default:
        event->ignore(); // read-only: every other key is for someone else
        return;
    }
    moveCaret(to, extend);
    ensureCaretVisible();
}

void ProtocolView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    moveCaret(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ProtocolView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    moveCaret(positionAt(event->position().toPoint()), true);
    ensureCaretVisible();
}

void ProtocolView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const Position at = positionAt(event->position().toPoint());
    moveCaret(wordStart(at), false);
    moveCaret(wordEnd(at), true);
}

void ProtocolView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Kopieren"), this, &ProtocolView::copySelection);
    copy->setEnabled(hasSelection());
    menu.addSeparator();
    QAction* all =
        menu.addAction(QStringLiteral("Alles &markieren"), this, &ProtocolView::selectAll);
    all->setEnabled(lineCount() > 0);
    menu.exec(event->globalPos());
}

void ProtocolView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(); // caret and the active selection colour
}

void ProtocolView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

ProtocolView::Position ProtocolView::positionAt(const QPoint& point) const {
    const qsizetype row = qBound<qsizetype>(
        0, firstVisibleLine() + std::floor(double(point.y() - Margin) / m_rowHeight), lineCount());
    const qreal x = point.x() - Margin + horizontalScrollBar()->value();
    return Position{row, columnAt(line(row), x)};
}

QRect ProtocolView::characterRect(Position p) const {
    const QString text = line(p.line);
    const qreal left = Margin - horizontalScrollBar()->value() + columnX(text, p.column);
    const qreal width = advance(p.column < text.size() ? text.at(p.column) : QChar(u' '));
    return QRect(int(left), rowTop(p.line), qMax(1, int(width)), m_rowHeight);
}
