#pragma once

#include "grading.h"

#include <QString>

// Writes the grading workbook (.xlsx) for Calc and Excel: sheet "Ergebnisse"
// with the CSV's rows, sheet "Übersicht" with one row per program. Writes a
// temporary file beside path and renames it on success; returns false, with
// nothing left at path or beside it, when the file could not be written whole.
bool writeGradingWorkbook(const QString& path, const Task& task, const QList<ProgramGrade>& grades);
