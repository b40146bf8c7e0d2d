#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// Reads a program file as "Öffnen..." does (see ProgramFile), but opens the
// name by its bytes and also reads a pipe. Without an editor there is no word
// wrap, so every line of the file is one program line. Throws ZevoError with
// the window's messages.
QStringList loadProgramLines(const QString& fileName);

// Opens fileName for reading by its bytes, so that a name that is not UTF-8 is
// found; a pipe is read as a file, a folder is refused.
bool openByName(QFile& file, const QString& fileName);
