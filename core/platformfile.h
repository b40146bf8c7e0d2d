#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

class QFile;
class QFileDevice;

// The few file and stream operations that POSIX and Windows do differently,
// each in one place: platformfile_posix.cpp or platformfile_windows.cpp,
// chosen when building. Names are given as the program holds them; on POSIX a
// byte that was not valid UTF-8 comes back as its byte (see nativename.h).
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

// The command line as the system keeps it, where that is text (Windows keeps
// it in UTF-16); nothing where it is bytes, which the caller decodes.
std::optional<QStringList> systemArguments();

// The program names of a command line as the shell would have given them:
// on Windows, whose cmd.exe leaves "*" and "?" to each program, expanded as
// Windows' own programs do (wildcards.h; ZevoError for a pattern that matches
// nothing); on POSIX unchanged, the shell has done it.
QStringList expandProgramNames(const QStringList& names);

// Gives a windowed program the standard streams it lacks. Windows starts
// one without them even from a console, so "zevo --help" would print nothing;
// it then writes to the console it was started from. Streams that lead to a
// file or a pipe stay as they are. Nothing to do on POSIX.
void useParentConsole();

// Standard output and error pass bytes unchanged (no CR LF of a text mode).
void useBinaryStandardStreams();

// Writes UTF-8 text to a stream; to a console window as its characters, to a
// file or a pipe as the bytes themselves. False on a failed write.
bool writeUtf8(std::FILE* stream, const char* data, std::size_t size);

// Keeps Qt's user settings (the file dialogs' history and last folder) from
// being stored; the files the user saves are the only ones written.
void keepNoSettings();

// The names of everything in a folder (not "." and ".."), unsorted, as the
// program holds names (a byte that is not UTF-8 survives); none when the
// folder cannot be read.
std::optional<QStringList> folderEntries(const QString& folder);

// A file dialog reads Qt's settings when it is made, and on Windows that read
// alone creates the empty key HKCU\Software\QtProject\OrganizationDefaults.
// Removes it (and QtProject) again where it holds nothing. Nothing on POSIX,
// where the read creates no file.
void removeEmptySettingsKeys();

} // namespace PlatformFile
