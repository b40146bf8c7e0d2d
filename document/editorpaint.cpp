#include "RMProgramEditor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <cmath>
#include <vector>

void TRMProgramEditor::paintEvent(QPaintEvent* event) {
    keepShapesOfVisibleBlocks();
    // The text edit draws every block across the bounding rectangle of what
    // is exposed; a highlight that jumps back exposes two rows far apart.
    const QRegion& exposed = event->region();
    if (exposed.rectCount() < 2 || exposed.rectCount() > 4) {
        paintBand(event);
        return;
    }
    for (const QRect& band : exposed) {
        QPaintEvent part(band);
        paintBand(&part);
    }
}

void TRMProgramEditor::paintBand(QPaintEvent* event) {
    if (!paintWithRowSelection(event->rect()))
        QPlainTextEdit::paintEvent(event);
}

namespace {
// Text whose rows run left to right without reordering; anything from the
// Hebrew block up (right-to-left scripts, direction marks) is left to Qt.
bool plainLeftToRight(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x0590)
            return false;
    }
    return true;
}
} // namespace

bool TRMProgramEditor::findRowSelection(const QAbstractTextDocumentLayout::PaintContext& context,
                                        RowSelection& row) const {
    if (context.selections.isEmpty())
        return true;
    if (context.selections.size() > 1)
        return false;
    const QAbstractTextDocumentLayout::Selection& selection = context.selections.front();
    const QTextCharFormat& format = selection.format;
    if (format.hasProperty(QTextFormat::FullWidthSelection) ||
        format.hasProperty(QTextFormat::OutlinePen) ||
        format.background().style() != Qt::SolidPattern ||
        format.foreground().style() != Qt::SolidPattern)
        return false;
    const int start = selection.cursor.selectionStart();
    const int end = selection.cursor.selectionEnd();
    const QTextBlock block = document()->findBlock(start);
    const QTextLayout* layout = block.layout();
    if (end <= start || !layout || layout->lineCount() == 0)
        return false;
    const QTextLine line = layout->lineForTextPosition(start - block.position());
    if (!line.isValid() || block.position() + line.textStart() != start ||
        line.textStart() + line.textLength() != end - block.position())
        return false;
    // A row ending in blanks selects them beyond the text's natural width,
    // which the rectangle below does not cover.
    const QString text = block.text().mid(line.textStart(), line.textLength());
    if (text.back().isSpace() || !plainLeftToRight(block.text()))
        return false;
    row.block = block;
    row.line = line.lineNumber();
    row.format = format;
    return true;
}

// What QPlainTextEdit::paintEvent does for plain text, with the one row
// selection drawn by drawRowSelection instead of by the layout.
bool TRMProgramEditor::paintWithRowSelection(QRect exposed) {
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    RowSelection row;
    if (context.cursorPosition < -1 || overwriteMode() || backgroundVisible() || centerOnScroll() ||
        (!placeholderText().isEmpty() && document()->isEmpty()) || !findRowSelection(context, row))
        return false;

    QPointF offset(contentOffset());
    const QRect viewportRect = viewport()->rect();
    const qreal maximumWidth = document()->documentLayout()->documentSize().width();
    // The right margin stays clear, as the text edit keeps it.
    const int maxX = int(offset.x() + qMax(qreal(viewportRect.width()), maximumWidth) -
                         document()->documentMargin() + cursorWidth());
    exposed.setRight(qMin(exposed.right(), maxX));

    struct Shown {
        QTextBlock block;
        QPointF offset;
    };
    std::vector<Shown> shown;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF r = blockBoundingRect(block).translated(offset);
        if (block.isVisible() && r.bottom() >= exposed.top() && r.top() <= exposed.bottom()) {
            const QTextBlockFormat format = block.blockFormat();
            if (format.background().style() != Qt::NoBrush ||
                format.hasProperty(QTextFormat::BlockCodeFence))
                return false;
            shown.push_back({block, offset});
        }
        offset.ry() += r.height();
        if (offset.y() > viewportRect.height())
            break;
    }

    QPainter painter(viewport());
    painter.setBrushOrigin(contentOffset());
    painter.setClipRect(exposed);
    painter.setPen(context.palette.text().color());
    const bool caretShown =
        !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);
    for (const Shown& s : shown) {
        QTextLayout* layout = s.block.layout();
        layout->draw(&painter, s.offset, {}, exposed);
        if (s.block == row.block)
            drawRowSelection(painter, row, s.offset, exposed);
        const int position = s.block.position();
        if (caretShown && context.cursorPosition >= position &&
            context.cursorPosition < position + s.block.length())
            layout->drawCursor(&painter, s.offset, context.cursorPosition - position,
                               cursorWidth());
    }
    return true;
}

// The layout fills a selection's rectangles (each aligned to whole pixels)
// and draws the selected text clipped to them in the selection's colours, the
// text outside clipped to the rest, all through paths. For a whole row that
// is one rectangle: filled over the text drawn before, and the row drawn
// again in it. (Clipping the first drawing to the rest of the rows is slower
// than drawing the row twice.)
void TRMProgramEditor::drawRowSelection(QPainter& painter, const RowSelection& row,
                                        const QPointF& offset, const QRect& exposed) const {
    const QTextLayout* layout = row.block.layout();
    const QPointF position = offset + layout->position();
    const QTextLine line = layout->lineAt(row.line);
    const QRect selected =
        (line.naturalTextRect().translated(position) & QRectF(exposed)).toAlignedRect();
    if (selected.isEmpty())
        return;
    painter.save();
    painter.fillRect(selected, row.format.background());
    painter.setClipRect(selected, Qt::IntersectClip);
    painter.setPen(QPen(row.format.foreground(), 0));
    line.draw(&painter, position);
    painter.restore();
}
