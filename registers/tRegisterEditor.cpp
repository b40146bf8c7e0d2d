#include "tRegisterEditor.h"

#include "dialogs.h"
#include "integertext.h"
#include "look.h"
#include "registercelldelegate.h"
#include "registervalueedit.h"
#include "syntax.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace {
// Geometry of the grid, kept together.
constexpr int RowHeight = 18;
constexpr int KeyColumnWidth = 47;

const QString RegisterEditMask = QStringLiteral("0999999999;0; ");
const QString IncompleteEntryMessage = QStringLiteral(
    "Ungültiger Eingabewert. Mit der Taste ESC machen Sie die Änderungen rückgängig.");

// The heading row is as high as the register rows, whatever the font asks for.
class TitleRow : public QHeaderView {
public:
    explicit TitleRow(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(RowHeight);
        return size;
    }
};
} // namespace

TRegisterEditor::TRegisterEditor(QWidget* owner) : QTableWidget(RegisterCount, 2, owner) {
    setupView();
    for (int n = 0; n < RegisterCount; ++n) {
        auto* key = new QTableWidgetItem(QStringLiteral("R%1").arg(n));
        key->setFlags(Qt::ItemIsEnabled); // keys can be neither selected nor edited
        setItem(n, KeyColumn, key);
        setItem(n, ValueColumn, new QTableWidgetItem());
    }
    m_editMasks.fill(QString(), RegisterCount);
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                for (int row = qMax(from.row(), 0); row <= to.row() && row < RegisterCount; ++row)
                    m_readValues[std::size_t(row)].reset();
            });
    connect(model(), &QAbstractItemModel::modelReset, this,
            [this] { m_readValues.fill(std::nullopt); });
    connect(model(), &QAbstractItemModel::layoutChanged, this,
            [this] { m_readValues.fill(std::nullopt); });
    ClearRegisters();
    setCurrentCell(0, ValueColumn);
}

TRegisterEditor::~TRegisterEditor() {
    // The editor outlives this part of the object; it must not call back into it.
    if (m_editor) {
        m_editor->disconnect(this);
        m_editor->removeEventFilter(this);
    }
}

void TRegisterEditor::setupView() {
    setHorizontalHeader(new TitleRow(this));
    setHorizontalHeaderLabels({QStringLiteral("Register"), QStringLiteral("Wert")});
    QHeaderView* title = horizontalHeader();
    title->setSectionsClickable(false); // a click on a heading would select the key column
    title->setHighlightSections(false);
    title->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    title->setSectionResizeMode(KeyColumn, QHeaderView::Interactive);
    title->setSectionResizeMode(ValueColumn, QHeaderView::Stretch); // fills the rest
    fitKeyColumn();

    QHeaderView* rows = verticalHeader();
    rows->setVisible(false);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers); // the grid opens its editors itself
    setTabKeyNavigation(false);                         // Tab leaves the grid
    setItemDelegate(new RegisterCellDelegate(this));

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Look::Cream);
    setPalette(colours);
}

void TRegisterEditor::fitKeyColumn() {
    // The layout's width fits the 11-pixel system font; a wider face (the one
    // Windows resolved) would cut the heading to "Registe".
    QHeaderView* title = horizontalHeader();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, title);
    const int cellMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int needed = std::max(
        QFontMetrics(title->font()).horizontalAdvance(QStringLiteral("Register")) + 2 * margin,
        fontMetrics().horizontalAdvance(QStringLiteral("R50")) + 2 * cellMargin);
    title->resizeSection(KeyColumn, std::max(KeyColumnWidth, needed + 1));
}

void TRegisterEditor::changeEvent(QEvent* e) {
    QTableWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitKeyColumn();
}

QString TRegisterEditor::valueText(qint32 n) const {
    if (!IsValidRegister(n))
        return QString();
    return item(n, ValueColumn)->text();
}

void TRegisterEditor::updateKeyCell(qint32 n) {
    update(model()->index(n, KeyColumn));
}

qint32 TRegisterEditor::ReadRegister(qint32 n) const {
    if (!IsValidRegister(n))
        return parseInteger(valueText(n));
    std::optional<qint32>& known = m_readValues[std::size_t(n)];
    if (!known)
        known = parseInteger(valueText(n)); // a text that is no number throws and stays unknown
    return *known;
}

void TRegisterEditor::WriteRegister(qint32 n, qint32 value) {
    if (!IsValidRegister(n))
        return; // the interpreter checks every number before it writes
    const qint32 previous = LastWrittenRegister;
    LastWrittenRegister = n;
    // A new text repaints its own cell; besides it only the mark can change on
    // screen: it leaves the key it stands on (or stood on until marking was
    // switched off) and comes to the key of n. Each run step writes, so the
    // rest of the grid is left alone.
    item(n, ValueColumn)->setText(QString::number(value));
    updateKeyCell(previous);
    updateKeyCell(n);
}

void TRegisterEditor::ClearRegisters() {
    for (int n = 0; n < RegisterCount; ++n) {
        item(n, ValueColumn)->setText(QStringLiteral("0"));
        SavedValues[std::size_t(n)] = 0;
    }
    // Rare: the whole grid, which also brings the mark up to date with MarkChanges.
    viewport()->update();
}

void TRegisterEditor::SaveRegisters() {
    // Stops at the first text that is not a number; the registers before it are saved.
    for (int n = 0; n < RegisterCount; ++n)
        SavedValues[std::size_t(n)] = ReadRegister(n);
}

void TRegisterEditor::RestoreRegisters() {
    for (int n = 0; n < RegisterCount; ++n)
        item(n, ValueColumn)->setText(QString::number(SavedValues[std::size_t(n)]));
    viewport()->update();
}

void TRegisterEditor::SetMarkChanges(bool on) {
    MarkChanges = on;
}

void TRegisterEditor::SetRegisterEditMasks() {
    m_editMasks.fill(RegisterEditMask, RegisterCount);
    if (m_editor)
        m_editor->setEditMask(RegisterEditMask);
}

void TRegisterEditor::beep() {
    if (m_dialogs)
        m_dialogs->beep();
}

void TRegisterEditor::takeTypedValue(qint32 n, const QString& text) {
    // The typed text is the register at once; the cell editor shows it, so the
    // grid is not repainted and the mark stays where it is.
    if (IsValidRegister(n))
        item(n, ValueColumn)->setText(text);
}

void TRegisterEditor::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (!current.isValid())
        return;
    if (current.column() != ValueColumn) {
        setCurrentCell(current.row(), ValueColumn);
        return;
    }
    if (!m_editor || m_editorRow != current.row())
        openEditor(current.row());
}

void TRegisterEditor::openEditor(int row) {
    const bool hadFocus = focusInside();
    RegisterValueEdit* old = m_editor;
    const int oldRow = m_editorRow;

    QTableWidgetItem* cell = item(row, ValueColumn);
    openPersistentEditor(cell);
    auto* edit = qobject_cast<RegisterValueEdit*>(indexWidget(indexFromItem(cell)));
    m_editor = edit;
    m_editorRow = row;
    if (edit) {
        // The grid takes part in the focus chain through its current editor.
        setFocusProxy(edit);
        edit->installEventFilter(this);
        connect(edit, &RegisterValueEdit::focusLeft, this, [this, edit](Qt::FocusReason reason) {
            if (edit == m_editor)
                editorLostFocus(reason);
        });
        edit->selectAll();
        if (hadFocus)
            edit->setFocus(Qt::OtherFocusReason);
    }
    if (old && old != edit) {
        old->disconnect(this);
        old->removeEventFilter(this);
        closePersistentEditor(item(oldRow, ValueColumn));
    }
}

bool TRegisterEditor::focusInside() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

bool TRegisterEditor::isEditingCell() const {
    return m_editor && window()->focusWidget() == m_editor;
}

bool TRegisterEditor::mayTakeFocusFromCell() {
    return !isEditingCell() || mayLeaveCurrentCell();
}

bool TRegisterEditor::mayLeaveCurrentCell() {
    if (!m_editor || !m_editor->isChanged() || m_editor->hasRequiredDigits())
        return true;
    reportIncompleteEntry();
    return false;
}

void TRegisterEditor::editorLostFocus(Qt::FocusReason reason) {
    // Another window or a menu taking the focus is no leaving of the cell, and
    // moves inside the grid are checked before they happen.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || focusInside())
        return;
    if (m_editor && m_editor->isChanged() && !m_editor->hasRequiredDigits()) {
        // Not from inside the focus change: a message box would open in its middle.
        QMetaObject::invokeMethod(this, &TRegisterEditor::reportIncompleteEntry,
                                  Qt::QueuedConnection);
    }
}

void TRegisterEditor::reportIncompleteEntry() {
    beep();
    if (m_dialogs)
        m_dialogs->showError(IncompleteEntryMessage);
}

QModelIndex TRegisterEditor::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : 0;
    switch (action) {
    case MoveLeft:
    case MoveRight:
        break; // the key column cannot be entered
    case MoveNext:
        row = qMin(row + 1, rowCount() - 1);
        break;
    case MovePrevious:
        row = qMax(row - 1, 0);
        break;
    default: {
        const QModelIndex moved = QTableWidget::moveCursor(action, modifiers);
        if (moved.isValid())
            row = moved.row();
    }
    }
    if (row != current.row() && !mayLeaveCurrentCell())
        return current;
    return model()->index(row, ValueColumn);
}

void TRegisterEditor::keyPressEvent(QKeyEvent* e) {
    // Keys the cell editor does not use (arrows, pages) arrive here.
    const int before = currentRow();
    QTableWidget::keyPressEvent(e);
    if (currentRow() != before)
        emit registerEditorClicked();
}

void TRegisterEditor::mousePressEvent(QMouseEvent* e) {
    e->accept();
    const QModelIndex target = indexAt(e->position().toPoint());
    if (!target.isValid())
        return;
    // A click on a key moves to the value of the same register.
    if (target.row() != currentRow()) {
        if (!mayLeaveCurrentCell()) {
            if (m_editor)
                m_editor->setFocus(Qt::MouseFocusReason);
            return;
        }
        setCurrentCell(target.row(), ValueColumn);
    }
    if (m_editor)
        m_editor->setFocus(Qt::MouseFocusReason);
    emit registerEditorClicked();
}

// No drag selection and no edit triggers: a press does all there is to do.
void TRegisterEditor::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
}
void TRegisterEditor::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
}
void TRegisterEditor::mouseDoubleClickEvent(QMouseEvent* e) {
    mousePressEvent(e);
}

void TRegisterEditor::focusInEvent(QFocusEvent* e) {
    QTableWidget::focusInEvent(e);
    if (m_editor)
        m_editor->setFocus(e->reason());
}

void TRegisterEditor::keyboardSearch(const QString&) {}

bool TRegisterEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && event->type() == QEvent::MouseButtonPress)
        emit registerEditorClicked();
    return QTableWidget::eventFilter(watched, event);
}
