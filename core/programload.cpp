#include "programload.h"

#include "linelist.h"
#include "platformfile.h"
#include "programfile.h"
#include "zevoerror.h"

bool openByName(QFile& file, const QString& fileName, FileKind kind) {
    // A pipe with no writer would block the open and the read; among many
    // programs only a plain file is looked at, and the open cannot wait.
    return PlatformFile::openForReading(file, fileName, kind == FileKind::RegularOnly);
}

QStringList loadProgramLines(const QString& fileName, FileKind kind) {
    // Unlike the window, a pipe may be read as a file and a folder holds no program.
    QFile file;
    if (!openByName(file, fileName, kind))
        throw ZevoError(ProgramFile::openFailedMessage(fileName));
    return splitProgramLines(ProgramFile::read(file));
}
