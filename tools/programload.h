#pragma once

#include <QString>
#include <QStringList>

// Reads a program file as "Öffnen..." does: Windows-1252 bytes, every lone CR
// or LF taken as CR LF, then cut into lines at CR LF. Without an editor there is
// no word wrap, so every line of the file is one program line. Throws ZevoError
// with the window's messages: "Datei <full path> kann nicht geöffnet werden",
// "Stream-Lesefehler", or "Text überschreitet Memo-Kapazität" beyond the
// editor's capacity.
QStringList loadProgramLines(const QString& fileName);
