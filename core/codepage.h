#pragma once

#include <QByteArray>
#include <QString>

// Program files hold one byte per character in Windows-1252, the code page of
// the German systems the files come from. Both directions use the exact table;
// the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 characters of the same number, so every byte survives a load
// and a save unchanged.

QString decodeWindows1252(const QByteArray& bytes);

// Characters without a byte (say "€" is fine, but a Greek letter is not) become
// "?"; firstBadIndex, when given, receives the index of the first such character
// or -1 when the whole text could be encoded.
QByteArray encodeWindows1252(const QString& text, qsizetype* firstBadIndex = nullptr);
