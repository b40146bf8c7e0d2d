#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The three tables grading writes.
enum class TableKind { Csv, Json, Workbook };

QString tableOption(TableKind kind); // "--csv", "--json", "--xlsx"
QString tableSuffix(TableKind kind); // ".csv", ".json", ".xlsx"

// Whether bytes are a table of this kind as grading writes it: the CSV's
// header line, the JSON's keys, the workbook's two sheets.
bool isGradingTable(TableKind kind, const QByteArray& bytes);

// Why a table of this kind may not be written to path, in German and naming
// the file; none when it may. Refused are a symbolic link (it would write
// through to another file), a folder, a suffix of another kind of file, and
// an existing plain file that is not such a table, e.g. a submission named
// by a forgotten option value. A name that does not exist yet is fine, and
// a device or pipe is written in place.
std::optional<QString> tableTargetRefusal(const QString& path, TableKind kind);
