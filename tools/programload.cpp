#include "programload.h"

#include "codepage.h"
#include "linelist.h"
#include "programfile.h"
#include "zevoerror.h"

#include "nativename.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList loadProgramLines(const QString& fileName) {
    // Opened by its bytes, so that a name that is not UTF-8 is found. A pipe
    // is read as a file; a folder holds no program.
    const int fd = ::open(encodeArgument(fileName).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    QFile file;
    if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        throw ZevoError(QStringLiteral("Datei %1 kann nicht geöffnet werden")
                            .arg(QFileInfo(fileName).absoluteFilePath()));
    }
    // The editor's limit applies here too, so that the runner takes exactly the
    // programs the window takes. One byte more tells a file that is too large.
    const QByteArray bytes = file.read(ProgramFile::Capacity + 1);
    if (file.error() != QFileDevice::NoError)
        throw ZevoError(QStringLiteral("Stream-Lesefehler"));
    if (bytes.size() > ProgramFile::Capacity)
        throw ZevoError(ProgramFile::capacityMessage());
    return splitProgramLines(decodeWindows1252(bytes));
}
