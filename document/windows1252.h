#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code page of program files. Every byte value has a character, so
// any file survives loading and saving unchanged: the five bytes that the code
// page leaves undefined stand for the control characters of the same number.
namespace Windows1252 {

QString decode(const QByteArray& bytes);

// The byte for c, or -1 when the code page has no byte for it.
int byteFor(char16_t c);

// Index of the first character of text without a byte, or -1 if there is none.
// A surrogate pair counts as one such character at the index of its first half.
qsizetype firstUnencodable(const QString& text);

// Precondition: firstUnencodable(text) == -1.
QByteArray encode(const QString& text);

} // namespace Windows1252
