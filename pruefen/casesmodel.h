#pragma once

#include "gradingreport.h"

#include <QAbstractTableModel>
#include <memory>
#include <optional>

// The cases of the task, with what one program got in each when it has a
// grade: the task panel shows the first three columns, the program's cases
// all of them. The texts are grading's own rows, as the tables hold them.
class CasesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        CaseColumn,
        InputColumn,
        ExpectedColumn,
        PassedColumn,
        GotColumn,
        StepsColumn,
        MessageColumn,
        ColumnCount
    };

    explicit CasesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // grade: none shows the task's cases alone.
    void show(const std::shared_ptr<const Task>& task, const std::optional<ProgramGrade>& grade);
    bool hasGrade() const { return m_graded; }
    // The inputs of a case, to start the simulator with.
    RegisterValues inputs(int row) const;

private:
    std::shared_ptr<const Task> m_task;
    QList<GradeRow> m_rows;
    bool m_graded = false;
};
