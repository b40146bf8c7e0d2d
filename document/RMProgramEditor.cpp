#include "RMProgramEditor.h"

#include "dialogs.h"
#include "linelist.h"
#include "look.h"
#include "programfile.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

TRMProgramEditor::TRMProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, Look::Cream);
    setPalette(p);
    setSelectionColours(false);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int) { invalidateRows(); });
}

qint64 TRMProgramEditor::fileSize() const {
    // characterCount() includes one separator per block; each is CR LF in the file.
    const QTextDocument* doc = document();
    return qint64(doc->characterCount()) - 1 + doc->blockCount() - 1;
}

bool TRMProgramEditor::acceptsInsertion(const QString& text) {
    // A line break, whichever way it is written, is CR LF in the file.
    const qint64 removed = crLfLength(textCursor().selectedText());
    if (fileSize() - removed + crLfLength(text) <= ProgramFile::Capacity)
        return true;
    if (m_dialogs)
        m_dialogs->showError(ProgramFile::capacityMessage());
    return false;
}

void TRMProgramEditor::keyPressEvent(QKeyEvent* event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint() &&
                                       !(event->modifiers() & Qt::ControlModifier));
    if (inserts && !acceptsInsertion(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TRMProgramEditor::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !acceptsInsertion(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

// Qt 6.4's text control crashes on clipboard data without any format (an
// empty clipboard under X11); what carries no text is never handed to it.
bool TRMProgramEditor::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText() && QPlainTextEdit::canInsertFromMimeData(source);
}

void TRMProgramEditor::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || source->text().isEmpty())
        return;
    if (acceptsInsertion(source->text()))
        QPlainTextEdit::insertFromMimeData(source);
}

void TRMProgramEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    invalidateRows();
}

// A run repaints the lines whose highlight comes and goes after every step,
// and moving the selection measures them; without the glyphs kept, each of
// these shapes the line's text again. Qt drops the kept glyphs itself when a
// block is laid out anew (text, width or font changed). A block that leaves
// the screen stops keeping them, so they are freed with its next layout or
// draw. Which blocks keep glyphs decides only speed and memory, never pixels:
// the set is looked at again only when the view shows other blocks.
void TRMProgramEditor::keepShapesOfVisibleBlocks() {
    const QTextBlock first = firstVisibleBlock();
    const VisibleBlocks now{first.blockNumber(), document()->blockCount(), viewport()->height()};
    if (now == m_visibleBlocks)
        return;
    m_visibleBlocks = now;
    std::vector<int> visible;
    const qreal bottom = viewport()->height();
    const QPointF offset = contentOffset();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
        visible.push_back(block.blockNumber());
    }
    for (const int n : m_shapedBlocks) {
        if (std::find(visible.begin(), visible.end(), n) == visible.end()) {
            const QTextBlock block = document()->findBlockByNumber(n);
            if (block.isValid())
                block.layout()->setCacheEnabled(false);
        }
    }
    for (const int n : visible)
        document()->findBlockByNumber(n).layout()->setCacheEnabled(true);
    m_shapedBlocks = std::move(visible);
}

void TRMProgramEditor::keepShapes(int blockNumber) {
    const QTextBlock block = document()->findBlockByNumber(blockNumber);
    if (!block.isValid() || block.layout()->cacheEnabled())
        return;
    block.layout()->setCacheEnabled(true);
    m_shapedBlocks.push_back(blockNumber);
}

void TRMProgramEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        invalidateRows();
        m_advances.clear();
    }
}

bool TRMProgramEditor::surelyOneRow(const QString& text, qreal width) const {
    if (m_advances.empty()) {
        const QFontMetricsF metrics(document()->defaultFont());
        m_advances.assign(256, 0.0);
        // Printable Latin-1 only: a tab or a control character is left to the layout.
        for (char16_t c = 32; c < 256; ++c) {
            if (c < 127 || c > 160)
                m_advances[c] = metrics.horizontalAdvance(QChar(c));
        }
    }
    qreal sum = 0;
    qreal widest = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 256 || m_advances[u] <= 0)
            return false;
        sum += m_advances[u];
        widest = std::max(widest, m_advances[u]);
    }
    // Kerning and rounding may make the shaped text a little wider than the
    // sum of its characters; a line that close to the edge is laid out.
    return sum * 1.05 + 2 * widest < width;
}

void TRMProgramEditor::rebuildRows() const {
    const int width = viewport()->width(); // the wrap width follows the viewport
    const bool wraps = lineWrapMode() != QPlainTextEdit::NoWrap;
    if (m_rowsValid && width == m_laidOutWidth && wraps == m_laidOutWrapping)
        return;
    QTextDocument* doc = document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    // The width a line of the plain-text layout gets: the viewport less the margins.
    const qreal lineWidth = width - 2 * doc->documentMargin();
    m_firstRowOfBlock.assign(std::size_t(doc->blockCount()), 0);
    int rows = 0;
    int b = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++b) {
        m_firstRowOfBlock[std::size_t(b)] = rows;
        // The plain-text layout lays out only what it has shown; asking for the
        // bounding rect lays the block out, so rows never depend on scrolling.
        // A block laid out already, or one that surely fits, needs no layout now.
        int lines = block.layout()->lineCount();
        if (lines == 0) {
            if (!wraps || surelyOneRow(block.text(), lineWidth)) {
                lines = 1;
            } else {
                layout->blockBoundingRect(block);
                lines = block.layout()->lineCount();
            }
        }
        rows += std::max(lines, 1);
    }
    // An empty last block (after a final line break, or an empty editor) is no line.
    if (doc->lastBlock().length() <= 1)
        rows -= 1;
    m_rowCount = std::max(rows, 0);
    m_rowTexts.assign(std::size_t(m_rowCount), QString());
    m_rowTextRead.assign(std::size_t(m_rowCount), false);
    m_laidOutWidth = width;
    m_laidOutWrapping = wraps;
    m_rowsValid = true;
}

qint32 TRMProgramEditor::lineCount() const {
    rebuildRows();
    return m_rowCount;
}

bool TRMProgramEditor::rowAt(qint32 n, Row& row) const {
    rebuildRows();
    if (n < 0 || n >= m_rowCount)
        return false;
    const auto it = std::upper_bound(m_firstRowOfBlock.begin(), m_firstRowOfBlock.end(), n);
    row.block = int(it - m_firstRowOfBlock.begin()) - 1;
    row.line = n - m_firstRowOfBlock[std::size_t(row.block)];
    return true;
}

bool TRMProgramEditor::rowRange(qint32 n, int& start, int& length) const {
    Row row{};
    if (!rowAt(n, row))
        return false;
    const QTextBlock block = document()->findBlockByNumber(row.block);
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0) {
        // Counted as one row without a layout.
        start = block.position();
        length = block.length() - 1;
    } else {
        const QTextLine line = layout->lineAt(row.line);
        start = block.position() + line.textStart();
        length = line.textLength();
    }
    return true;
}

QString TRMProgramEditor::lineText(qint32 n) const {
    Row row{};
    if (!rowAt(n, row))
        return QString();
    const std::size_t i = std::size_t(n);
    if (!m_rowTextRead[i]) {
        const QTextBlock block = document()->findBlockByNumber(row.block);
        const QTextLayout* layout = block.layout();
        if (layout->lineCount() == 0) {
            m_rowTexts[i] = block.text();
        } else {
            const QTextLine line = layout->lineAt(row.line);
            m_rowTexts[i] = block.text().mid(line.textStart(), line.textLength());
        }
        m_rowTextRead[i] = true;
    }
    return m_rowTexts[i];
}

void TRMProgramEditor::HighlightLine(qint32 n) {
    setFocus();
    selectRow(n);
}

void TRMProgramEditor::markLineKeepingFocus(qint32 n) {
    showSelectionWithoutFocus(true);
    selectRow(n);
}

void TRMProgramEditor::showSelectionWithoutFocus(bool on) {
    if (on != m_selectionShownWithoutFocus)
        setSelectionColours(on);
}

void TRMProgramEditor::setSelectionColours(bool shownWithoutFocus) {
    m_selectionShownWithoutFocus = shownWithoutFocus;
    // The text control paints the selection in the inactive colours without the
    // focus; in the colours of unselected text it is not seen.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               shownWithoutFocus ? p.color(QPalette::Active, QPalette::Highlight)
                                 : p.color(QPalette::Inactive, QPalette::Base));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               shownWithoutFocus ? p.color(QPalette::Active, QPalette::HighlightedText)
                                 : p.color(QPalette::Inactive, QPalette::Text));
    setPalette(p);
}

void TRMProgramEditor::focusInEvent(QFocusEvent* event) {
    showSelectionWithoutFocus(false);
    QPlainTextEdit::focusInEvent(event);
}

void TRMProgramEditor::selectRow(qint32 n) {
    QTextCursor cursor = textCursor();
    int start = 0;
    int length = 0;
    if (rowRange(n, start, length) && length > 0) {
        // Every cursor move measures the line anew for the caret's x, shaping
        // its text each time; a cursor made at the start of a block skips one.
        const QTextBlock block = document()->findBlock(start);
        keepShapes(block.blockNumber());
        if (block.position() == start)
            cursor = QTextCursor(block);
        else
            cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(cursor.selectionEnd());
    }
    const QRect shown = moveCursorRepaintingRows(cursor);
    const bool seen = shown.top() >= 0 && shown.bottom() < viewport()->height() &&
                      horizontalScrollBar()->maximum() == 0;
    if (!seen) // measuring the caret costs more than all the rest of a move
        ensureCursorVisible();
}

QRect TRMProgramEditor::rowsOfRange(int from, int to) const {
    QRectF rows;
    const qreal width = viewport()->width();
    const QPointF offset = contentOffset();
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QRectF blockRect = blockBoundingGeometry(block).translated(offset);
        const QTextLayout* layout = block.layout();
        if (layout->lineCount() == 0) {
            rows |= QRectF(0, blockRect.top(), width, blockRect.height());
            continue;
        }
        const qreal top = blockRect.top() + layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int start = block.position() + line.textStart();
            // Both ends count: a caret after a row's last character may be drawn there.
            if (start > to || start + line.textLength() < from)
                continue;
            rows |= QRectF(0, top + line.y(), width, line.height());
        }
    }
    return rows.toAlignedRect();
}

QRect TRMProgramEditor::moveCursorRepaintingRows(const QTextCursor& cursor) {
    QWidget* view = viewport();
    const QTextCursor old = textCursor();
    const QRect before = rowsOfRange(old.selectionStart(), old.selectionEnd());
    const QPoint scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    // The text control repaints each old and new selection widened by two
    // pixels, and the bounding rectangle of both: four rows and more for one
    // moved highlight. The rows the selection and the caret occupy before and
    // after the move are all that can look different.
    const bool quiet = view->testAttribute(Qt::WA_UpdatesDisabled);
    view->setAttribute(Qt::WA_UpdatesDisabled, true);
    setTextCursor(cursor);
    view->setAttribute(Qt::WA_UpdatesDisabled, quiet);
    const QRect after = rowsOfRange(cursor.selectionStart(), cursor.selectionEnd());
    if (quiet)
        return after;
    if (scrolled != QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()))
        view->update(); // the pixels did not move with the scroll
    else {
        view->update(before);
        view->update(after);
    }
    return after;
}

QString TRMProgramEditor::wholeText() const {
    // toPlainText() would turn no-break spaces into spaces; the raw text keeps
    // every character and marks line breaks as paragraph separators.
    return withCrLfLineEnds(document()->toRawText());
}

void TRMProgramEditor::replaceWholeText(const QString& text) {
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    // The editor keeps "\n" between blocks.
    cursor.insertText(withLineEnds(text, u"\n"));
}

void TRMProgramEditor::addLine(const QString& s) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const bool startsFresh = document()->isEmpty() || document()->lastBlock().length() <= 1;
    cursor.insertText(startsFresh ? s + u'\n' : u'\n' + s);
}

qint64 TRMProgramEditor::caretPosition() const {
    const QTextCursor cursor = textCursor();
    const int position = cursor.selectionStart();
    return qint64(position) + document()->findBlock(position).blockNumber();
}

void TRMProgramEditor::setCaretPosition(qint64 position) {
    // Each line break counts two characters outside, one inside the document.
    QTextBlock block = document()->begin();
    qint64 remaining = std::max<qint64>(position, 0);
    while (block.isValid()) {
        const qint64 length = block.length() - 1;
        if (remaining <= length || !block.next().isValid())
            break;
        remaining -= length + 2;
        block = block.next();
        if (remaining < 0)
            remaining = 0; // inside a CR LF pair: the start of the next line
    }
    QTextCursor cursor = textCursor();
    cursor.setPosition(block.position() + int(std::min<qint64>(remaining, block.length() - 1)));
    setTextCursor(cursor);
}
