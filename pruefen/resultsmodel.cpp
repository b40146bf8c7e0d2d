#include "resultsmodel.h"

#include "gradingreport.h"
#include "nativename.h"
#include "verdictlook.h"

#include <QBrush>

ResultsModel::ResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ProgramColumn:
        return QStringLiteral("Programm");
    case PassedColumn:
        return QStringLiteral("Bestanden");
    case StepsColumn:
        return QStringLiteral("Höchstens Schritte");
    case VerdictColumn:
        return QStringLiteral("Ergebnis");
    }
    return {};
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return display(row, column);
    case SortRole:
        return sortKey(row, column);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return description(row);
    case Qt::TextAlignmentRole:
        if (column == PassedColumn || column == StepsColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (column != VerdictColumn)
            return {};
        switch (verdict(row)) {
        case Verdict::Passed:
            return QBrush(role == Qt::BackgroundRole ? VerdictLook::PassedBackground
                                                     : VerdictLook::PassedText);
        case Verdict::Failed:
            return QBrush(role == Qt::BackgroundRole ? VerdictLook::FailedBackground
                                                     : VerdictLook::FailedText);
        case Verdict::Unreadable:
            return QBrush(role == Qt::BackgroundRole ? VerdictLook::UnreadableBackground
                                                     : VerdictLook::UnreadableText);
        default:
            return role == Qt::ForegroundRole ? QVariant(QBrush(VerdictLook::PendingText))
                                              : QVariant();
        }
    }
    return {};
}

QVariant ResultsModel::display(int row, int column) const {
    const ProgramEntry& e = m_entries[row];
    switch (column) {
    case ProgramColumn:
        return visibleText(e.path);
    case PassedColumn:
        if (!e.grade || e.waiting)
            return QString();
        return QStringLiteral("%1 von %2").arg(e.grade->passedCount()).arg(e.grade->cases.size());
    case StepsColumn:
        if (!e.grade || e.waiting)
            return QString();
        if (const std::optional<qint32> most = slowestPassingSteps(*e.grade))
            return QString::number(*most);
        return QStringLiteral("–");
    case VerdictColumn: {
        const Verdict v = verdict(row);
        if (v == Verdict::Unreadable && !e.grade->cases.isEmpty())
            return verdictText(v) + QStringLiteral(": ") +
                   visibleText(e.grade->cases.front().message);
        return verdictText(v);
    }
    }
    return {};
}

QVariant ResultsModel::sortKey(int row, int column) const {
    const ProgramEntry& e = m_entries[row];
    const bool graded = e.grade && !e.waiting;
    switch (column) {
    case ProgramColumn:
        return visibleText(e.path);
    case PassedColumn:
        return graded ? qlonglong(e.grade->passedCount()) : qlonglong(-1);
    case StepsColumn:
        return graded ? qlonglong(slowestPassingSteps(*e.grade).value_or(-1)) : qlonglong(-2);
    case VerdictColumn:
        return int(verdict(row));
    }
    return {};
}

// The report's line for the program: what a screen reader and the tooltip say.
QString ResultsModel::description(int row) const {
    const ProgramEntry& e = m_entries[row];
    if (e.grade && !e.waiting && m_task)
        return programReportLine(*m_task, *e.grade);
    return visibleText(e.path) + QStringLiteral(": ") + verdictText(verdict(row));
}

// No reset of the model: the table keeps its selection and sorting.
void ResultsModel::setTask(std::shared_ptr<const Task> task) {
    m_task = std::move(task);
    for (ProgramEntry& e : m_entries) {
        e.grade.reset();
        e.waiting = false;
        e.cancelled = false;
        e.revision = m_nextRevision++;
    }
    if (!m_entries.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_entries.size()) - 1, ColumnCount - 1));
}

QList<int> ResultsModel::addPrograms(const QStringList& paths) {
    QList<int> rows;
    if (paths.isEmpty())
        return rows;
    const int first = int(m_entries.size());
    beginInsertRows({}, first, first + int(paths.size()) - 1);
    for (const QString& path : paths) {
        rows << int(m_entries.size());
        ProgramEntry e;
        e.path = path;
        e.revision = m_nextRevision++;
        m_entries.append(std::move(e));
    }
    endInsertRows();
    return rows;
}

void ResultsModel::clear() {
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

QList<int> ResultsModel::rowsOf(const QString& path) const {
    QList<int> rows;
    for (int row = 0; row < m_entries.size(); ++row)
        if (m_entries[row].path == path)
            rows << row;
    return rows;
}

quint64 ResultsModel::markWaiting(int row) {
    ProgramEntry& e = m_entries[row];
    e.waiting = true;
    e.cancelled = false;
    e.revision = m_nextRevision++;
    rowChanged(row);
    return e.revision;
}

bool ResultsModel::setGrade(int row, quint64 revision, ProgramGrade grade) {
    if (row < 0 || row >= m_entries.size() || m_entries[row].revision != revision ||
        !m_entries[row].waiting)
        return false;
    ProgramEntry& e = m_entries[row];
    e.grade = std::move(grade);
    e.waiting = false;
    rowChanged(row);
    return true;
}

void ResultsModel::cancelWaiting() {
    for (int row = 0; row < m_entries.size(); ++row) {
        ProgramEntry& e = m_entries[row];
        if (!e.waiting)
            continue;
        e.waiting = false;
        e.cancelled = true;
        e.revision = m_nextRevision++;
        rowChanged(row);
    }
}

qsizetype ResultsModel::waitingCount() const {
    return std::count_if(m_entries.begin(), m_entries.end(),
                         [](const ProgramEntry& e) { return e.waiting; });
}

Verdict ResultsModel::verdict(int row) const {
    const ProgramEntry& e = m_entries[row];
    if (e.waiting)
        return Verdict::Waiting;
    if (e.cancelled)
        return Verdict::Cancelled;
    if (!e.grade)
        return Verdict::NotGraded;
    if (e.grade->readFailed)
        return Verdict::Unreadable;
    return e.grade->passedCount() == e.grade->cases.size() ? Verdict::Passed : Verdict::Failed;
}

QString ResultsModel::verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::NotGraded:
        return QStringLiteral("nicht geprüft");
    case Verdict::Waiting:
        return QStringLiteral("wird geprüft …");
    case Verdict::Cancelled:
        return QStringLiteral("abgebrochen");
    case Verdict::Passed:
        return QStringLiteral("bestanden");
    case Verdict::Failed:
        return QStringLiteral("nicht bestanden");
    case Verdict::Unreadable:
        return QStringLiteral("nicht lesbar");
    }
    return {};
}

std::optional<QList<ProgramGrade>> ResultsModel::allGrades() const {
    QList<ProgramGrade> grades;
    for (const ProgramEntry& e : m_entries) {
        if (!e.grade || e.waiting || e.cancelled)
            return std::nullopt;
        grades << *e.grade;
    }
    return grades;
}

qsizetype ResultsModel::allPassedCount() const {
    qsizetype n = 0;
    for (int row = 0; row < m_entries.size(); ++row)
        n += verdict(row) == Verdict::Passed ? 1 : 0;
    return n;
}

void ResultsModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
