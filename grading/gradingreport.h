#pragma once

#include "grading.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The report's lines (without LF) and the tables for --csv and --json.
QString taskHeading(const Task& task, const QString& taskFile);
QString programReportLine(const Task& task, const ProgramGrade& grade);
QString summaryLine(qsizetype allPassed, qsizetype programs);

// One row per case of each program: the rows of --csv, --json and --xlsx, so
// the three tables cannot drift apart.
struct GradeRow {
    QString program;
    qsizetype caseNumber = 0; // from 1
    QString inputs;
    bool passed = false;
    qint32 steps = 0;
    QString expected;
    QString got;
    QString message;
};
QStringList gradeRowColumns(); // "Programm", "Fall", ... as the CSV's header
QList<GradeRow> gradeRows(const Task& task, const QList<ProgramGrade>& grades);

// The steps of the slowest passing case; none when no case passed.
std::optional<qint32> slowestPassingSteps(const ProgramGrade& grade);

QByteArray csvTable(const Task& task, const QList<ProgramGrade>& grades);
QByteArray jsonTable(const Task& task, const QList<ProgramGrade>& grades);

// Replaces the file with bytes only when every byte reached the disk.
bool writeFileChecked(const QString& path, const QByteArray& bytes);
