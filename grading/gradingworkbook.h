#pragma once

#include "grading.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The grading workbook (.xlsx) for Calc and Excel: sheet "Ergebnisse" with
// the CSV's rows, sheet "Übersicht" with one row per program. Built in a
// scratch file in the temporary folder; none when libxlsxwriter failed.
std::optional<QByteArray> gradingWorkbookBytes(const Task& task, const QList<ProgramGrade>& grades);

// Writes those bytes through the checked write of the other tables; false
// when the file could not be written whole.
bool writeGradingWorkbook(const QString& path, const Task& task, const QList<ProgramGrade>& grades);
