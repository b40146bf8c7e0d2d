#pragma once

#include <QString>

class QFile;

// Program files: the editor's whole text, one byte per character in
// Windows-1252, lines separated by CR LF, nothing added. Failures throw
// ZevoError with the German message for the error display.
namespace ProgramFile {

// The largest file the editor takes: 1 MiB, some 60,000 program lines. Up to
// it, opening takes about half a second and a keystroke stays under 2 ms (under
// 200 ms even if the whole file is one wrapped line); opening grows faster
// than the size beyond it (bench/bench_programfile).
// Opening, typing and pasting all keep to it, so every text the editor
// holds can be saved and opened again.
inline constexpr qint64 Capacity = 1024 * 1024;

// The message that refuses a text beyond the capacity.
inline QString capacityMessage() {
    return QStringLiteral("Text überschreitet Memo-Kapazität");
}

// The text of the file at path, as stored (line breaks unchanged). Only a
// regular file is opened: a named pipe would wait for a writer, with the
// window frozen, and a device or a socket holds no program.
QString load(const QString& path);

// The text of a file already opened for reading, up to the capacity: for a
// front end that opens names by their bytes and also reads pipes.
QString read(QFile& file);

// The message that refuses a file that cannot be opened.
QString openFailedMessage(const QString& path);

// Writes text to path. The old file is replaced only once the whole new text
// is written; a text with a character the code page lacks writes nothing.
void save(const QString& path, const QString& text);

// The message that refuses to save text, or empty if every character fits.
QString unencodableMessage(const QString& text);

} // namespace ProgramFile
