#include "checkedwrite.h"

#include "nativename.h"
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

    // QSaveFile would write under another name, leaving the user's file as it was.
    if (!reachesQtUnchanged(path))
        return CheckedWrite::NotCreated;

    QSaveFile file(path);
    // Unbuffered, so that a failed write is seen by the write itself: a
    // buffered one may fail inside commit(), which still reports success, and
    // would replace the old file with a short one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return PlatformFile::kindOf(path) == PlatformFile::Kind::Regular ? writeInPlace(path, bytes)
                                                                          : CheckedWrite::NotCreated;
    }
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

CheckedWrite writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    // Not truncated on opening: the old content is read before anything changes.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return CheckedWrite::NotCreated;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return CheckedWrite::NotCreated;
    const auto put = [&file](const QByteArray& content) {
        return file.seek(0) && file.write(content) == content.size() &&
               file.resize(content.size()) && file.error() == QFileDevice::NoError &&
               PlatformFile::flushToDisk(file);
    };
    if (put(bytes))
        return CheckedWrite::Written;
    // The old blocks are the file's own, so writing them back needs no new space.
    file.unsetError();
    put(old);
    return CheckedWrite::Failed;
}
