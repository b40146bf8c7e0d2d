#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QFile;
class QFileDevice;

// The few file operations that POSIX and Windows do differently, each in one
// place: platformfile_posix.cpp or platformfile_windows.cpp, chosen when
// building. Names are given as the program holds them; on POSIX a byte that
// was not valid UTF-8 comes back as its byte (see nativename.h).
namespace PlatformFile {

enum class Kind { Missing, Regular, Directory, Other };

// What a name stands for. Other: a pipe, a device, a socket, where an open
// may block or a save must not replace it by a plain file.
Kind kindOf(const QString& path);

// Whether the name itself is a symbolic link (on Windows also a junction or
// a shortcut): writing to it would change the file it leads to.
bool isSymbolicLink(const QString& path);

// Opens for reading. With regularOnly only a plain file, opened without ever
// waiting; otherwise a pipe or device too, but never a folder.
bool openForReading(QFile& file, const QString& path, bool regularOnly);

// Opens a pipe or device (Kind::Other) for writing in place, without waiting
// for a reader that may never come.
bool openDeviceForWriting(QFile& file, const QString& path);

// Has the system write what it holds of the open file to the disk.
bool flushToDisk(QFileDevice& file);

// One text for one file however it is named (hard links, "./a" and "a"), or
// nothing where the name names no file.
std::optional<QString> fileIdentity(const QString& path);

// The names of everything in a folder (not "." and ".."), unsorted, as the
// program holds names (a byte that is not UTF-8 survives); none when the
// folder cannot be read.
std::optional<QStringList> folderEntries(const QString& folder);

} // namespace PlatformFile
