#include "nativename.h"
#include "platformfile.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PlatformFile {

Kind kindOf(const QString& path) {
    struct stat info {};
    if (::stat(encodeArgument(path).constData(), &info) != 0)
        return Kind::Missing;
    if (S_ISREG(info.st_mode))
        return Kind::Regular;
    return S_ISDIR(info.st_mode) ? Kind::Directory : Kind::Other;
}

bool isSymbolicLink(const QString& path) {
    struct stat info {};
    return ::lstat(encodeArgument(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool openForReading(QFile& file, const QString& path, bool regularOnly) {
    const QByteArray name = encodeArgument(path);
    struct stat info {};
    // A pipe with no writer would block the open and the read; where only a
    // plain file is wanted, the open cannot wait.
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

bool openDeviceForWriting(QFile& file, const QString& path) {
    // Non-blocking for the open only: a pipe without a reader fails at once.
    const int fd = ::open(encodeArgument(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::fcntl(fd, F_SETFL, 0) == 0 &&
        file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    return false;
}

bool flushToDisk(QFileDevice& file) {
    return ::fsync(file.handle()) == 0;
}

std::optional<QString> fileIdentity(const QString& path) {
    struct stat info {};
    if (::stat(encodeArgument(path).constData(), &info) != 0)
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
}

std::optional<QStringList> folderEntries(const QString& folder) {
    DIR* dir = ::opendir(encodeArgument(folder).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << decodeArgument(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace PlatformFile
