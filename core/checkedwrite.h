#pragma once

#include <QByteArray>
#include <QString>

enum class CheckedWrite { Written, NotCreated, Failed };

// Writes bytes as the whole content of path and reports success only when
// they reached the disk. On failure an existing file keeps its old content.
// A device or a pipe is written in place: run as root, a safe save would
// otherwise replace "/dev/null" by a plain file.
CheckedWrite writeWholeFile(const QString& path, const QByteArray& bytes);
