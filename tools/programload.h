#pragma once

#include <QString>
#include <QStringList>

// Reads a program file as "Öffnen..." does (see ProgramFile), but opens the
// name by its bytes and also reads a pipe. Without an editor there is no word
// wrap, so every line of the file is one program line. Throws ZevoError with
// the window's messages.
QStringList loadProgramLines(const QString& fileName);
