#pragma once

#include <QString>
#include <QStringList>

// Reads a program file as "Öffnen..." does: Windows-1252 bytes, every lone CR
// or LF taken as CR LF, then cut into lines at CR LF. Without an editor there is
// no word wrap, so every line of the file is one program line. Throws ZevoError
// "Datei <full path> kann nicht geöffnet werden" when the file cannot be read.
QStringList loadProgramLines(const QString& fileName);
