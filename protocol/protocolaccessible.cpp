#include "protocolaccessible.h"

#include <QLabel>
#include <QScrollBar>
#include <functional>
#include <limits>

namespace {

int toInt(qsizetype n) {
    return int(qMin<qsizetype>(n, std::numeric_limits<int>::max()));
}

bool wholeLines(QAccessible::TextBoundaryType type) {
    return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary;
}

// A short read-only text without caret or selection: one protocol line, so
// that Qt's search for characters, words and sentences runs over that line and
// not over a copy of the whole protocol, or the text shown by a label.
class PlainText : public QAccessibleTextInterface {
public:
    explicit PlainText(std::function<QString()> text) : m_text(std::move(text)) {}
    QString text(int start, int end) const override { return m_text().mid(start, end - start); }
    int characterCount() const override { return int(m_text().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    std::function<QString()> m_text;
};

// A label that was given a name ("Schritte") reads by that name, and the
// number it shows stays readable as its text; Qt's own interface would put
// the name in place of the number.
class NamedLabel final : public QAccessibleWidget, public PlainText {
public:
    explicit NamedLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText),
          PlainText([label] { return label->text(); }) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("ProtocolView"))
        return new ProtocolViewAccessible(static_cast<ProtocolView*>(object));
    // A plain widget would read as a nameless filler; the protocol window is a
    // top-level window of its own and reads as one, with its caption.
    if (className == QLatin1String("TProtokollFormular"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("QLabel") &&
        !static_cast<QLabel*>(object)->accessibleName().isEmpty())
        return new NamedLabel(static_cast<QLabel*>(object));
    return nullptr;
}

} // namespace

ProtocolViewAccessible::ProtocolViewAccessible(ProtocolView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void ProtocolViewAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

ProtocolView* ProtocolViewAccessible::view() const {
    return static_cast<ProtocolView*>(widget());
}

// --- events ----------------------------------------------------------------

void ProtocolViewAccessible::noteAppend(ProtocolView* view, qsizetype firstNewLine) {
    if (view->m_announceLine >= 0)
        return; // already due; it will name these lines too
    view->m_announceLine = firstNewLine;
    QMetaObject::invokeMethod(
        view, [view] { announce(view); }, Qt::QueuedConnection);
}

void ProtocolViewAccessible::noteClear(ProtocolView* view) {
    // What the reader knows of: the text up to the lines not yet announced.
    const qsizetype known = view->m_announceLine >= 0 ? view->m_announceLine : view->lineCount();
    view->m_announceRemoved += view->textOffset(known);
    noteAppend(view, 0);
    view->m_announceLine = 0;
}

void ProtocolViewAccessible::announce(ProtocolView* view) {
    const qsizetype line = view->m_announceLine;
    const qsizetype removed = view->m_announceRemoved;
    view->m_announceLine = -1;
    view->m_announceRemoved = 0;
    if (line < 0 || !QAccessible::isActive())
        return;
    const qsizetype from = view->textOffset(line);
    const qsizetype to = view->textOffset(view->lineCount());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    QAccessibleTextInterface* text = iface ? iface->textInterface() : nullptr;
    if (!text)
        return;
    const QString added = text->text(toInt(from), toInt(to));
    if (removed > 0) {
        // The removed text is gone; as Qt's own text edits do, its length is
        // told with blanks.
        QAccessibleTextUpdateEvent event(view, 0, QString(toInt(removed), u' '), added);
        QAccessible::updateAccessibility(&event);
    } else if (!added.isEmpty()) {
        QAccessibleTextInsertEvent event(view, toInt(from), added);
        QAccessible::updateAccessibility(&event);
    }
    noteCaret(view);
}

void ProtocolViewAccessible::noteCaret(ProtocolView* view) {
    const int caret = toInt(view->textOffset(view->m_caret.line) + view->m_caret.column);
    if (view->hasSelection()) {
        const int anchor = toInt(view->textOffset(view->m_anchor.line) + view->m_anchor.column);
        QAccessibleTextSelectionEvent event(view, qMin(anchor, caret), qMax(anchor, caret));
        event.setCursorPosition(caret);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextCursorEvent event(view, caret);
        QAccessible::updateAccessibility(&event);
    }
}

// --- the widget ------------------------------------------------------------

QAccessible::State ProtocolViewAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.editable = false;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

QString ProtocolViewAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return {}; // the text is read through the text interface, not in one piece
    return QAccessibleWidget::text(t);
}

void* ProtocolViewAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

// --- text ------------------------------------------------------------------

int ProtocolViewAccessible::characterCount() const {
    return toInt(view()->textOffset(view()->lineCount()));
}

QString ProtocolViewAccessible::text(int startOffset, int endOffset) const {
    const ProtocolView* v = view();
    const ProtocolView::Position from = v->positionAtOffset(startOffset);
    const ProtocolView::Position to = v->positionAtOffset(qMax(startOffset, endOffset));
    QString result;
    for (qsizetype row = from.line; row <= to.line; ++row) {
        const QString line = v->line(row);
        const qsizetype begin = row == from.line ? from.column : 0;
        const qsizetype end = row == to.line ? to.column : line.size();
        result += QStringView(line).mid(begin, end - begin);
        if (row < to.line)
            result += u'\n';
    }
    return result;
}

QString ProtocolViewAccessible::lineText(qsizetype row, int* startOffset, int* endOffset) const {
    const ProtocolView* v = view();
    *startOffset = toInt(v->textOffset(row));
    *endOffset = toInt(v->textOffset(qMin(row + 1, v->lineCount())));
    return row < v->lineCount() ? v->line(row) + u'\n' : QString();
}

// Whole lines are found from the row index; finer boundaries are looked for
// within one line (a word or a sentence never reaches across a line break).
QString ProtocolViewAccessible::inLine(qsizetype row, int offset, int found,
                                       QAccessible::TextBoundaryType type, int* startOffset,
                                       int* endOffset) const {
    const ProtocolView* v = view();
    *startOffset = *endOffset = -1;
    if (row < 0 || row >= v->lineCount())
        return {};
    const int base = toInt(v->textOffset(row));
    const QString text = v->line(row) + u'\n';
    const PlainText line([&text] { return text; });
    QString result = found < 0 ? line.textBeforeOffset(offset - base, type, startOffset, endOffset)
                     : found > 0 ? line.textAfterOffset(offset - base, type, startOffset, endOffset)
                                 : line.textAtOffset(offset - base, type, startOffset, endOffset);
    if (*startOffset >= 0) {
        *startOffset += base;
        *endOffset += base;
    }
    return result;
}

QString ProtocolViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const qsizetype row = view()->positionAtOffset(offset).line;
    if (wholeLines(boundaryType))
        return lineText(row, startOffset, endOffset);
    return inLine(row, offset, 0, boundaryType, startOffset, endOffset);
}

QString ProtocolViewAccessible::textBeforeOffset(int offset,
                                                 QAccessible::TextBoundaryType boundaryType,
                                                 int* startOffset, int* endOffset) const {
    const qsizetype row = view()->positionAtOffset(offset).line;
    if (wholeLines(boundaryType)) {
        if (row > 0)
            return lineText(row - 1, startOffset, endOffset);
        *startOffset = *endOffset = -1;
        return {};
    }
    QString result = inLine(row, offset, -1, boundaryType, startOffset, endOffset);
    if (result.isEmpty() && row > 0) // at a line's start: the end of the line before
        result = inLine(row - 1, int(view()->textOffset(row)) - 1, 0, boundaryType, startOffset,
                        endOffset);
    return result;
}

QString ProtocolViewAccessible::textAfterOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int* startOffset, int* endOffset) const {
    const qsizetype row = view()->positionAtOffset(offset).line;
    if (wholeLines(boundaryType))
        return lineText(qMin(row + 1, view()->lineCount()), startOffset, endOffset);
    QString result = inLine(row, offset, 1, boundaryType, startOffset, endOffset);
    if (result.isEmpty()) // at a line's end: the start of the next line
        result = inLine(row + 1, toInt(view()->textOffset(row + 1)), 0, boundaryType, startOffset,
                        endOffset);
    return result;
}

QString ProtocolViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    Q_UNUSED(offset);
    // One font and colour throughout: a single run without attributes.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// --- caret and selection ---------------------------------------------------

int ProtocolViewAccessible::cursorPosition() const {
    const ProtocolView* v = view();
    return toInt(v->textOffset(v->m_caret.line) + v->m_caret.column);
}

void ProtocolViewAccessible::setCursorPosition(int position) {
    ProtocolView* v = view();
    v->moveCaret(v->positionAtOffset(position), false);
    v->ensureCaretVisible();
}

int ProtocolViewAccessible::selectionCount() const {
    return view()->hasSelection() ? 1 : 0;
}

void ProtocolViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const ProtocolView* v = view();
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !v->hasSelection())
        return;
    const int anchor = toInt(v->textOffset(v->m_anchor.line) + v->m_anchor.column);
    const int caret = cursorPosition();
    *startOffset = qMin(anchor, caret);
    *endOffset = qMax(anchor, caret);
}

void ProtocolViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    ProtocolView* v = view();
    v->moveCaret(v->positionAtOffset(startOffset), false);
    v->moveCaret(v->positionAtOffset(endOffset), true);
    v->ensureCaretVisible();
}

void ProtocolViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset); // the view has one selection only
}

void ProtocolViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0 && view()->hasSelection())
        view()->moveCaret(view()->m_caret, false);
}

// --- geometry --------------------------------------------------------------

QRect ProtocolViewAccessible::characterRect(int offset) const {
    const ProtocolView* v = view();
    const QRect local = v->characterRect(v->positionAtOffset(offset));
    return QRect(v->viewport()->mapToGlobal(local.topLeft()), local.size());
}

int ProtocolViewAccessible::offsetAtPoint(const QPoint& point) const {
    const ProtocolView* v = view();
    const QPoint local = v->viewport()->mapFromGlobal(point);
    if (!v->viewport()->rect().contains(local))
        return -1;
    const ProtocolView::Position p = v->positionAt(local);
    return toInt(v->textOffset(p.line) + p.column);
}

void ProtocolViewAccessible::scrollToSubstring(int startIndex, int endIndex) {
    Q_UNUSED(endIndex);
    ProtocolView* v = view();
    const qsizetype row = v->positionAtOffset(startIndex).line;
    QScrollBar* vertical = v->verticalScrollBar();
    if (row < vertical->value() || row >= vertical->value() + v->visibleRows())
        vertical->setValue(int(qMin<qsizetype>(row, std::numeric_limits<int>::max())));
}
