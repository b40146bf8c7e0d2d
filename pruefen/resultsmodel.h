#pragma once

#include "grading.h"

#include <QAbstractTableModel>
#include <QList>
#include <memory>
#include <optional>

// One program in the list: the name grading and the tables use, and its
// grade once it has one.
struct ProgramEntry {
    QString path; // as given or chosen; shown as the report shows it
    std::optional<ProgramGrade> grade;
    bool waiting = false;   // a grading of it is under way
    bool cancelled = false; // its grading was given up
    quint64 revision = 0;   // which grading of it a result must belong to
};

// What the results table says of a program, in words and colour.
enum class Verdict { NotGraded, Waiting, Cancelled, Passed, Failed, Unreadable };

// The results table: one row per program, in the order added. Results of a
// grading that was given up or overtaken never reach a row: each carries the
// revision it was started for.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ProgramColumn, PassedColumn, StepsColumn, VerdictColumn, ColumnCount };
    // Numbers and names to sort by, since the shown texts do not sort.
    static constexpr int SortRole = Qt::UserRole;

    explicit ResultsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The task the grades belong to; a new one makes every grade stale.
    void setTask(std::shared_ptr<const Task> task);
    const std::shared_ptr<const Task>& task() const { return m_task; }

    // Appends rows for the programs, in one insertion; their rows.
    QList<int> addPrograms(const QStringList& paths);
    void clear();
    qsizetype size() const { return m_entries.size(); }
    const ProgramEntry& entry(int row) const { return m_entries[row]; }
    QList<int> rowsOf(const QString& path) const;

    // Marks the row as being graded anew; the revision its result must carry.
    quint64 markWaiting(int row);
    // False, and nothing changes, for a result that is no longer wanted.
    bool setGrade(int row, quint64 revision, ProgramGrade grade);
    // Every waiting row is given up; their results are no longer wanted.
    void cancelWaiting();
    qsizetype waitingCount() const;

    Verdict verdict(int row) const;
    static QString verdictText(Verdict verdict);
    // The grades of every row, in order; none while a row has no grade.
    std::optional<QList<ProgramGrade>> allGrades() const;
    qsizetype allPassedCount() const;

private:
    QVariant display(int row, int column) const;
    QVariant sortKey(int row, int column) const;
    QString description(int row) const;
    void rowChanged(int row);

    std::shared_ptr<const Task> m_task;
    QList<ProgramEntry> m_entries;
    quint64 m_nextRevision = 1;
};
