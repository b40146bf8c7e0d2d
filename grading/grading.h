#pragma once

#include "taskfile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

struct CaseGrade {
    bool passed = false;
    qint32 steps = 0;       // the window's counter at the end of the run
    QString got;            // the expected registers' values, or the final message
    bool gotMessage = true; // got is a message (quoted in the report)
    QString message;        // the run's final message, or the program's read error
};

struct ProgramGrade {
    QString program; // the name as given
    QList<CaseGrade> cases;
    bool readFailed = false; // the program could not be read; message says why

    qsizetype passedCount() const;
};

// Every case of one program; a program that cannot be read fails every case.
ProgramGrade gradeProgram(const Task& task, const QString& program);
// The same, given up soon after cancel becomes true (none then), however long
// a case runs.
std::optional<ProgramGrade> gradeProgram(const Task& task, const QString& program,
                                         const std::atomic<bool>& cancel);

// Grades the programs on all cores. Each grade is handed to ready() in the
// order given, as soon as it and all before it are done; ready() is called
// from the workers, one call at a time.
QList<ProgramGrade> gradePrograms(const Task& task, const QStringList& programs,
                                  const std::function<void(const ProgramGrade&)>& ready);

// Grades the programs on all cores for a window: each grade is handed to
// done() with its index in programs as soon as it is finished, in any order;
// done() is called from the workers, one call at a time. Once cancel is true
// the workers stop within a fraction of a millisecond of running, and
// programs not finished are never handed over.
void gradeProgramsAsDone(const Task& task, const QStringList& programs,
                         const std::atomic<bool>& cancel,
                         const std::function<void(qsizetype, ProgramGrade)>& done);
