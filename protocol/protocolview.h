#pragma once

#include "shapedtext.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QStringList>
#include <array>
#include <vector>

// A read-only view of lines that only grow at the end: the trace protocol.
//
// It holds the lines themselves (UTF-8, one buffer, an end offset per line), so
// a long run costs about one byte per character, and it paints only the rows
// that are exposed: an append at the bottom scrolls the old pixels up and
// draws just the new rows. A general text document would keep a laid-out copy
// of every line to size its scroll bar, several times the text itself.
//
// Every line is followed by its line break, so the view shows one empty row
// after the last line; the caret stands there after every append. Columns
// are split by TAB characters aligned on stops every eight average character
// widths. Text can be selected with the mouse and the keyboard and copied from
// the context menu.
class ProtocolView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A place between characters: a line (lineCount() is the empty row after
    // the last line) and a column in UTF-16 units.
    struct Position {
        qsizetype line = 0;
        qsizetype column = 0;
        friend bool operator==(const Position&, const Position&) = default;
        friend auto operator<=>(const Position&, const Position&) = default;
    };

    explicit ProtocolView(QWidget* parent = nullptr);

    // Appends the lines, each with its line break, puts the caret after the
    // last one (dropping any selection) and scrolls it into view at the left.
    void appendLines(const QStringList& lines);
    // Removes every line and shows the top.
    void clear();

    qsizetype lineCount() const { return qsizetype(m_lineEnds.size()); }
    // Line i without its line break; empty outside the lines (so also for the
    // empty row after the last one).
    QString line(qsizetype i) const;
    QStringList lines() const;
    // Characters held, line breaks not counted.
    qsizetype textBytes() const { return m_text.size(); }

    Position caret() const { return m_caret; }
    Position anchor() const { return m_anchor; }
    bool hasSelection() const { return m_caret != m_anchor; }
    // The selected text; every line break in it is CR LF.
    QString selectedText() const;
    void selectAll();
    void copySelection() const;

    qreal tabStopDistance() const { return m_tabStop; }
    // The text position nearest to a point of the viewport.
    Position positionAt(const QPoint& point) const;
    // The first line shown at the top of the viewport.
    qsizetype firstVisibleLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class ProtocolViewAccessible;

    qsizetype rowCount() const { return lineCount() + 1; }
    qsizetype lineLength(qsizetype row) const;
    // Horizontal positions within a line, from the start of the text.
    qreal advance(QChar c) const;
    qreal nextTabStop(qreal x) const;
    qreal columnX(const QString& text, qsizetype column) const;
    qsizetype columnAt(const QString& text, qreal x) const;
    qreal lineWidth(const QString& text) const;

    void updateMetrics();
    void updateScrollBars();
    int visibleRows() const;
    int rowTop(qsizetype row) const;
    void updateRows(qsizetype first, qsizetype last);
    void moveCaret(Position to, bool keepAnchor);
    void ensureCaretVisible();
    Position wordStart(Position p) const;
    Position wordEnd(Position p) const;

    // The offset of a row's first character in the text a screen reader reads
    // (UTF-16, a line break after every line); row may be lineCount().
    qsizetype textOffset(qsizetype row) const;
    Position positionAtOffset(qsizetype offset) const;
    // Where the character at p is drawn, in viewport coordinates.
    QRect characterRect(Position p) const;

    QByteArray m_text;
    std::vector<qsizetype> m_lineEnds; // end of line i in m_text
    qreal m_widest = 0;

    Position m_caret;
    Position m_anchor;

    qreal m_tabStop = 0;
    int m_rowHeight = 1;
    int m_ascent = 0;
    std::array<qreal, 128> m_asciiAdvance{};
    // The pieces between TABs repeat (register values, instructions): each
    // is shaped once, not on every paint.
    ShapedTextCache m_shapes;

    // For screen readers only: the text offsets of the rows, built up to the
    // row last asked for (appends only add rows at the end; clear() drops
    // them), and the change not yet announced.
    mutable std::vector<qsizetype> m_textOffsets;
    qsizetype m_announceLine = -1;   // first line not yet announced; -1: nothing to say
    qsizetype m_announceRemoved = 0; // characters removed and not yet announced
};
