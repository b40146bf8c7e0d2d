#include "checkedwrite.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CheckedWrite writeWholeFile(const QString& path, const QByteArray& bytes) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
        !S_ISDIR(info.st_mode)) {
        // A pipe without a reader would block the open for ever: refuse it.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        QFile device;
        if (fd < 0 || ::fcntl(fd, F_SETFL, 0) != 0 ||
            !device.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::AutoCloseHandle)) {
            if (fd >= 0)
                ::close(fd);
            return CheckedWrite::NotCreated;
        }
        return device.write(bytes) == bytes.size() && device.error() == QFileDevice::NoError
                   ? CheckedWrite::Written
                   : CheckedWrite::Failed;
    }

    QSaveFile file(path);
    // Where no temporary file can be made beside it (a folder the user may not
    // write), the file itself is emptied and written, as a plain save would.
    file.setDirectWriteFallback(true);
    // Unbuffered, so that a failed write is seen by the write itself: a
    // buffered one may fail inside commit(), which still reports success, and
    // would replace the old file with a short one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return CheckedWrite::NotCreated;
    // A quota or a network file system may refuse the data only when it is
    // flushed to the disk; that too must come before the old file is replaced.
    const bool written = file.write(bytes) == bytes.size() && file.error() == QFileDevice::NoError &&
                         ::fsync(file.handle()) == 0;
    if (!written || !file.commit() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return CheckedWrite::Failed;
    }
    return CheckedWrite::Written;
}
