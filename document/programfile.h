#pragma once

#include <QString>

// Program files: the editor's whole text, one byte per character in
// Windows-1252, lines separated by CR LF, nothing added. Failures throw
// ZevoError with the German message for the error display.
namespace ProgramFile {

// The largest file the editor takes. Beyond it, loading, laying out the rows
// for line access and typing make the editor sluggish (see bench/).
inline constexpr qint64 Capacity = 4 * 1024 * 1024;

// The text of the file at path, as stored (line breaks unchanged).
QString load(const QString& path);

// Writes text to path. The old file is replaced only once the whole new text
// is written; a text with a character the code page lacks writes nothing.
void save(const QString& path, const QString& text);

// The message that refuses to save text, or empty if every character fits.
QString unencodableMessage(const QString& text);

} // namespace ProgramFile
