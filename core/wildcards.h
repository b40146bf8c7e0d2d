#pragma once

#include <QString>
#include <QStringList>

// Windows' own command-line programs expand "*" and "?" in file names
// themselves, since cmd.exe does not. Each argument whose last part holds one
// of them becomes the names of the files in its folder that match, ignoring
// case, in name order, written with the folder as the argument gives it; any
// other argument stays as it is. A pattern that matches no file throws
// ZevoError naming it. Only the last part is a pattern; folders are never
// matched.
QStringList expandWildcards(const QStringList& arguments);

// Whether a file name matches a pattern of "*" (any run, also none) and "?"
// (one character), ignoring case. Every other character stands for itself.
bool matchesWildcard(const QString& pattern, const QString& name);
