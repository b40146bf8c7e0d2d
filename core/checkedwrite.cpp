#include "checkedwrite.h"

#include "platformfile.h"

#include <QFile>
#include <QSaveFile>

CheckedWrite writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (PlatformFile::kindOf(path) == PlatformFile::Kind::Other) {
        // A pipe without a reader would block the open for ever: refuse it.
        QFile device;
        if (!PlatformFile::openDeviceForWriting(device, path))
            return CheckedWrite::NotCreated;
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
                         PlatformFile::flushToDisk(file);
    if (!written || !file.commit() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return CheckedWrite::Failed;
    }
    return CheckedWrite::Written;
}
