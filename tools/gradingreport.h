#pragma once

#include "grading.h"

#include <QByteArray>
#include <QString>

// The report's lines (without LF) and the tables for --csv and --json.
QString taskHeading(const Task& task, const QString& taskFile);
QString programReportLine(const Task& task, const ProgramGrade& grade);
QString summaryLine(qsizetype allPassed, qsizetype programs);

QByteArray csvTable(const Task& task, const QList<ProgramGrade>& grades);
QByteArray jsonTable(const Task& task, const QList<ProgramGrade>& grades);

// Replaces the file with bytes only when every byte reached the disk.
bool writeFileChecked(const QString& path, const QByteArray& bytes);
