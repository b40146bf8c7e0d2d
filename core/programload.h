#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

enum class FileKind {
    Readable,   // anything that reads like a file, a pipe too
    RegularOnly // a plain file only: a pipe, device or folder fails at once
};

// Reads a program file as "Öffnen..." does (see ProgramFile), but opens the
// name by its bytes and also reads a pipe. Without an editor there is no word
// wrap, so every line of the file is one program line. Throws ZevoError with
// the window's messages.
QStringList loadProgramLines(const QString& fileName, FileKind kind = FileKind::Readable);

// Opens fileName for reading by its bytes, so that a name that is not UTF-8 is
// found; a folder is refused, and with RegularOnly everything but a plain file.
bool openByName(QFile& file, const QString& fileName, FileKind kind = FileKind::Readable);
