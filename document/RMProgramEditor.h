#pragma once

#include "linehighlighter.h"
#include "programtext.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <vector>

class Dialogs;

// The program editor. Its text is the one store of the program. Lines are
// counted as the editor lays them out: with word wrap a long line continues on
// further rows, and each row is a line of its own for the interpreter.
class TRMProgramEditor : public QPlainTextEdit, public ProgramText, public LineHighlighter {
    Q_OBJECT
public:
    explicit TRMProgramEditor(QWidget* parent = nullptr);

    // Where a typed or pasted text that would not fit is reported.
    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }

    // Laid-out rows; an empty last row after a final line break is not counted.
    qint32 lineCount() const override;
    // The characters of row n without its line break; empty outside the rows.
    QString lineText(qint32 n) const override;
    // Takes the keyboard focus and selects row n (nothing for an empty row).
    void HighlightLine(qint32 n) override;
    // Selects row n as HighlightLine does, but leaves the keyboard focus where
    // it is; the selection stays visible without the focus until the editor
    // gets the focus again or showSelectionWithoutFocus(false).
    void markLineKeepingFocus(qint32 n);
    // A selection shows only while the editor has the keyboard focus, unless
    // this is on.
    void showSelectionWithoutFocus(bool on);

    // The whole text with CR LF between lines, as typed (no wrap breaks).
    QString wholeText() const;
    // Replaces the whole text as one undoable edit; lone CR and LF count as CR LF.
    void replaceWholeText(const QString& text);
    // Appends s as a new last line (CR LF handling as the file format has it).
    void addLine(const QString& s);
    // Caret position (selection start) with every line break counted as two characters.
    qint64 caretPosition() const;
    void setCaretPosition(qint64 position);
    // The size of the whole text in a program file, in bytes.
    qint64 fileSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether replacing the selection by text keeps the file within its
    // capacity; if not, the refusal is reported.
    bool acceptsInsertion(const QString& text);
    void selectRow(qint32 n);
    // Sets the cursor and repaints only the rows its old and new selection
    // (and caret) occupy; returns the new rows in viewport coordinates.
    QRect moveCursorRepaintingRows(const QTextCursor& cursor);
    // The rows the characters from..to lie on, both ends included.
    QRect rowsOfRange(int from, int to) const;
    void setSelectionColours(bool shownWithoutFocus);
    void focusInEvent(QFocusEvent* event) override;

    Dialogs* m_dialogs = nullptr;
    bool m_selectionShownWithoutFocus = false;

    struct Row {
        int block;
        int line;
    };
    void invalidateRows() { m_rowsValid = false; }
    void rebuildRows() const;
    bool rowAt(qint32 n, Row& row) const;
    // Whether the block's text surely fits on one row of width, judged from
    // the advances of its characters without laying it out.
    bool surelyOneRow(const QString& text, qreal width) const;
    // Document position and length of row n; false outside the rows.
    bool rowRange(qint32 n, int& start, int& length) const;

    // Rebuilt on demand after any change of text, width or font, so no reader
    // ever sees rows of an old layout. Row texts are filled as they are read:
    // the jump-target search reads every row of a step.
    mutable std::vector<int> m_firstRowOfBlock; // cumulative: first row of each block
    mutable std::vector<QString> m_rowTexts;
    mutable std::vector<bool> m_rowTextRead;
    mutable qint32 m_rowCount = 0;
    mutable int m_laidOutWidth = -1;
    mutable bool m_laidOutWrapping = true;
    mutable bool m_rowsValid = false;
    // Advances of the Latin-1 characters in the current font; 0 where unknown.
    mutable std::vector<qreal> m_advances;

    // Painting (editorpaint.cpp). The text control draws a selection through
    // clip paths, and the text under it twice; a selection of one whole row,
    // as the highlight is, is drawn here with rectangles to the same pixels.
    void paintBand(QPaintEvent* event);
    bool paintWithRowSelection(QRect exposed);
    struct RowSelection {
        QTextBlock block;
        int line = -1;
        QTextCharFormat format;
    };
    bool findRowSelection(const QAbstractTextDocumentLayout::PaintContext& context,
                          RowSelection& row) const;
    void drawRowSelection(QPainter& painter, const RowSelection& row, const QPointF& offset,
                          const QRect& exposed) const;

    // Blocks on screen keep their shaped glyphs between paints (Qt drops them
    // after every draw otherwise); the numbers of the blocks that do.
    void keepShapesOfVisibleBlocks();
    void keepShapes(int blockNumber);
    std::vector<int> m_shapedBlocks;
    struct VisibleBlocks {
        int first = -1;
        int count = 0;
        int height = 0;
        friend bool operator==(const VisibleBlocks&, const VisibleBlocks&) = default;
    };
    VisibleBlocks m_visibleBlocks;
};
