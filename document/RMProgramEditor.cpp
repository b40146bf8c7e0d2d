#include "RMProgramEditor.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPalette>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace {

// Lone CR and lone LF both end a line; the editor keeps "\n" between blocks.
QString toEditorLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result += u'\n';
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

TRMProgramEditor::TRMProgramEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(255, 251, 240));
    setPalette(p);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int) { invalidateRows(); });
}

void TRMProgramEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    invalidateRows();
}

void TRMProgramEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        invalidateRows();
}

void TRMProgramEditor::rebuildRows() const {
    const int width = viewport()->width(); // the wrap width follows the viewport
    if (m_rowsValid && width == m_laidOutWidth)
        return;
    QTextDocument* doc = document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    m_firstRowOfBlock.assign(std::size_t(doc->blockCount()), 0);
    int rows = 0;
    int b = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++b) {
        // The plain-text layout lays out only what it has shown; asking for the
        // bounding rect lays the block out, so rows never depend on scrolling.
        if (block.layout()->lineCount() == 0)
            layout->blockBoundingRect(block);
        m_firstRowOfBlock[std::size_t(b)] = rows;
        rows += std::max(block.layout()->lineCount(), 1);
    }
    // An empty last block (after a final line break, or an empty editor) is no line.
    if (doc->lastBlock().length() <= 1)
        rows -= 1;
    m_rowCount = std::max(rows, 0);
    m_laidOutWidth = width;
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

QString TRMProgramEditor::lineText(qint32 n) const {
    Row row{};
    if (!rowAt(n, row))
        return QString();
    const QTextBlock block = document()->findBlockByNumber(row.block);
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return block.text();
    const QTextLine line = layout->lineAt(row.line);
    return block.text().mid(line.textStart(), line.textLength());
}

void TRMProgramEditor::HighlightLine(qint32 n) {
    setFocus();
    QTextCursor cursor = textCursor();
    Row row{};
    const QString text = lineText(n);
    if (!text.isEmpty() && rowAt(n, row)) {
        const QTextBlock block = document()->findBlockByNumber(row.block);
        const int start =
            block.position() + (block.layout()->lineCount() > 0
                                    ? block.layout()->lineAt(row.line).textStart()
                                    : 0);
        cursor.setPosition(start);
        cursor.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(cursor.selectionEnd());
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString TRMProgramEditor::wholeText() const {
    // toPlainText() would turn no-break spaces into spaces; the raw text keeps
    // every character and marks line breaks as paragraph separators.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void TRMProgramEditor::replaceWholeText(const QString& text) {
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(toEditorLineBreaks(text));
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
