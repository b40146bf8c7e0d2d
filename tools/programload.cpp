#include "programload.h"

#include "linelist.h"
#include "nativename.h"
#include "programfile.h"
#include "zevoerror.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openByName(QFile& file, const QString& fileName, FileKind kind) {
    const QByteArray name = encodeArgument(fileName);
    struct stat info {};
    // A pipe with no writer would block the open and the read; among many
    // programs only a plain file is looked at, and the open cannot wait.
    const bool regularOnly = kind == FileKind::RegularOnly;
    if (regularOnly && (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd >= 0 && ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode) &&
        (!regularOnly || S_ISREG(info.st_mode)) &&
        file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    return false;
}

QStringList loadProgramLines(const QString& fileName, FileKind kind) {
    // Unlike the window, a pipe may be read as a file and a folder holds no program.
    QFile file;
    if (!openByName(file, fileName, kind))
        throw ZevoError(ProgramFile::openFailedMessage(fileName));
    return splitProgramLines(ProgramFile::read(file));
}
