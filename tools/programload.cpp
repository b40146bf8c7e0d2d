#include "programload.h"

#include "linelist.h"
#include "nativename.h"
#include "programfile.h"
#include "zevoerror.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList loadProgramLines(const QString& fileName) {
    // Opened by its bytes, so that a name that is not UTF-8 is found. Unlike
    // the window, a pipe is read as a file; a folder holds no program.
    const int fd = ::open(encodeArgument(fileName).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    QFile file;
    if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        throw ZevoError(ProgramFile::openFailedMessage(fileName));
    }
    return splitProgramLines(ProgramFile::read(file));
}
