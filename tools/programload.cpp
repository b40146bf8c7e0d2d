#include "programload.h"

#include "linelist.h"
#include "nativename.h"
#include "programfile.h"
#include "zevoerror.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openByName(QFile& file, const QString& fileName) {
    const int fd = ::open(encodeArgument(fileName).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode) &&
        file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    return false;
}

QStringList loadProgramLines(const QString& fileName) {
    // Unlike the window, a pipe is read as a file and a folder holds no program.
    QFile file;
    if (!openByName(file, fileName))
        throw ZevoError(ProgramFile::openFailedMessage(fileName));
    return splitProgramLines(ProgramFile::read(file));
}
