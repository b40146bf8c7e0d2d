#pragma once

#include "protocolview.h"

#include <QAccessibleWidget>

// What a screen reader gets from the protocol view: its lines as one read-only
// text, each line followed by "\n" (offsets in UTF-16 units), with the caret
// and the selection.
//
// Appends are announced at most once per pass of the event loop: a clocked
// run appends an entry every step, and a reader that got one event per entry
// would fall behind at the top rate. Nothing is announced, and nothing is
// counted, while no assistive technology listens.
class ProtocolViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ProtocolViewAccessible(ProtocolView* view);

    // Registers the interfaces of the protocol view, the protocol window and
    // named labels with QAccessible. Once the application object exists and
    // before any window: a later factory is asked first, so ours must come
    // after the one of Qt's widgets, and Qt keeps every interface it made.
    static void install();

    // The view's side: lines were appended from firstNewLine on, or everything
    // is about to be removed. Both only note the change and announce it later.
    static void noteAppend(ProtocolView* view, qsizetype firstNewLine);
    static void noteClear(ProtocolView* view);
    // The caret or the selection moved by the user.
    static void noteCaret(ProtocolView* view);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    ProtocolView* view() const;
    // The text of one row with its line break (the empty row after the last
    // line has neither).
    QString lineText(qsizetype row, int* startOffset, int* endOffset) const;
    // A boundary search in one line: before (found < 0), at (0) or after (> 0).
    QString inLine(qsizetype row, int offset, int found, QAccessible::TextBoundaryType type,
                   int* startOffset, int* endOffset) const;
    static void announce(ProtocolView* view);
};
