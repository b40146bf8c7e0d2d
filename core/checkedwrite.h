#pragma once

#include <QByteArray>
#include <QString>

enum class CheckedWrite { Written, NotCreated, Failed };

// Writes bytes as the whole content of path and reports success only when
// they reached the disk. On failure an existing file keeps its old content.
// A device or a pipe is written in place: run as root, a safe save would
// otherwise replace "/dev/null" by a plain file.
CheckedWrite writeWholeFile(const QString& path, const QByteArray& bytes);

// The way left where no temporary file can be made beside an existing file
// (a folder the user may not write, the file the user may): the file itself is
// overwritten, and when that fails its old content, read first, is written
// back, so a full disk does not lose the program.
CheckedWrite writeInPlace(const QString& path, const QByteArray& bytes);
