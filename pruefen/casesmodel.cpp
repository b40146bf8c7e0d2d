#include "casesmodel.h"

#include "nativename.h"
#include "verdictlook.h"

#include <QBrush>

CasesModel::CasesModel(QObject* parent) : QAbstractTableModel(parent) {}

int CasesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CasesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CasesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList names{QStringLiteral("Fall"),     QStringLiteral("Eingabe"),
                                   QStringLiteral("Erwartet"), QStringLiteral("Bestanden"),
                                   QStringLiteral("Erhalten"), QStringLiteral("Schritte"),
                                   QStringLiteral("Meldung")};
    return names.value(section);
}

QVariant CasesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const GradeRow& row = m_rows[index.row()];
    const int column = index.column();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        switch (column) {
        case CaseColumn:
            return QString::number(row.caseNumber);
        case InputColumn:
            return row.inputs.isEmpty() ? QStringLiteral("(alle 0)") : row.inputs;
        case ExpectedColumn:
            return visibleText(row.expected);
        case PassedColumn:
            return m_graded ? (row.passed ? QStringLiteral("ja") : QStringLiteral("nein"))
                            : QString();
        case GotColumn:
            return m_graded ? visibleText(row.got) : QString();
        case StepsColumn:
            return m_graded ? QString::number(row.steps) : QString();
        case MessageColumn:
            return m_graded ? visibleText(row.message) : QString();
        }
        return {};
    }
    if (role == Qt::TextAlignmentRole && (column == CaseColumn || column == StepsColumn))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && column == PassedColumn &&
        m_graded) {
        if (role == Qt::BackgroundRole)
            return QBrush(row.passed ? VerdictLook::PassedBackground
                                     : VerdictLook::FailedBackground);
        return QBrush(row.passed ? VerdictLook::PassedText : VerdictLook::FailedText);
    }
    return {};
}

void CasesModel::show(const std::shared_ptr<const Task>& task,
                      const std::optional<ProgramGrade>& grade) {
    beginResetModel();
    m_task = task;
    m_rows.clear();
    m_graded = grade.has_value();
    if (task) {
        // Without a grade, grading's rows of a grade with one empty case per
        // case still give the inputs and the expectation as the tables word them.
        ProgramGrade shown = grade.value_or(ProgramGrade{});
        if (!grade)
            shown.cases.resize(task->cases.size());
        if (shown.cases.size() == task->cases.size())
            m_rows = gradeRows(*task, {shown});
    }
    endResetModel();
}

RegisterValues CasesModel::inputs(int row) const {
    if (!m_task || row < 0 || row >= m_task->cases.size())
        return {};
    return m_task->cases[row].inputs;
}
