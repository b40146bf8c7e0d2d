#include "platformfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

#include <io.h>

namespace PlatformFile {

namespace {

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// Names Windows gives to devices rather than files: "\\.\pipe\x", "\\?\..."
// and the old device names ("CON", "nul.txt", "COM1") in any folder.
bool isDeviceName(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1String("\\\\.\\")) || native.startsWith(QLatin1String("\\\\?\\")))
        return true;
    QString base = native.mid(native.lastIndexOf(QLatin1Char('\\')) + 1);
    base = base.mid(base.lastIndexOf(QLatin1Char(':')) + 1);
    base = base.left(base.indexOf(QLatin1Char('.'))).trimmed().toUpper();
    static const QStringList fixed{QStringLiteral("CON"),    QStringLiteral("PRN"),
                                   QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                   QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (fixed.contains(base))
        return true;
    return base.size() == 4 &&
           (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
           base[3] >= QLatin1Char('1') && base[3] <= QLatin1Char('9');
}

HANDLE osHandle(const QFileDevice& file) {
    const int fd = file.handle();
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

} // namespace

Kind kindOf(const QString& path) {
    if (path.isEmpty())
        return Kind::Missing;
    if (isDeviceName(path))
        return Kind::Other;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide(QDir::toNativeSeparators(path)), GetFileExInfoStandard, &data))
        return Kind::Missing;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Directory : Kind::Regular;
}

bool isSymbolicLink(const QString& path) {
    const QFileInfo info(path);
    return info.isSymbolicLink() || info.isJunction() || info.isShortcut();
}

bool openForReading(QFile& file, const QString& path, bool regularOnly) {
    const Kind kind = kindOf(path);
    if (kind == Kind::Directory || (regularOnly && kind != Kind::Regular))
        return false;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The name may have been given to a pipe or device since it was looked at.
    if (regularOnly && ::GetFileType(osHandle(file)) != FILE_TYPE_DISK) {
        file.close();
        return false;
    }
    return true;
}

bool openDeviceForWriting(QFile& file, const QString& path) {
    // A pipe whose every instance is busy fails at once; Windows never waits here.
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered);
}

bool flushToDisk(QFileDevice& file) {
    const HANDLE handle = osHandle(file);
    return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle);
}

std::optional<QString> fileIdentity(const QString& path) {
    if (kindOf(path) == Kind::Missing || isDeviceName(path))
        return std::nullopt;
    // No access rights asked for: the file may be open in another program.
    const HANDLE handle =
        ::CreateFileW(wide(QDir::toNativeSeparators(path)), 0,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!ok)
        return std::nullopt;
    const quint64 index = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return QStringLiteral("%1:%2").arg(quint64(info.dwVolumeSerialNumber)).arg(index);
}

std::optional<QStringList> folderEntries(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace PlatformFile
