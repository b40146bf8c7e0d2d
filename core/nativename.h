#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File names on the command line are bytes, not always valid UTF-8 (a name
// written on a Latin-1 system). Such a name survives the trip through QString:
// every byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, and encodeArgument() gives the bytes back unchanged.
QString decodeArgument(const QByteArray& bytes);
QByteArray encodeArgument(const QString& text);

// Whether Qt's own file functions (QSaveFile, the watcher, a started
// program's arguments) reach the file by this name. A name that is not UTF-8
// is held with its bytes, which only our own calls give back: Qt would turn
// them into another name.
bool reachesQtUnchanged(const QString& path);

// The program's arguments without its name, read alike by every program of
// Zevo: as the system keeps them where that is text (Windows), otherwise each
// decoded by decodeArgument, so a name reaches the file system as its bytes
// whatever the locale.
QStringList programArguments(int argc, char* argv[]);

// What a name or message looks like on a terminal and in the tables: a byte
// that was not valid UTF-8 (see decodeArgument) as "\xNN", and a backslash as
// "\\", so two names never show alike ("M\xfcller" typed and the Latin-1 byte
// 0xFC differ). With Controls::Escape also every control character (below
// 0x20, 0x7F, and U+0080 to U+009F as its UTF-8 bytes) escaped, "\n", "\r",
// "\t" or "\xNN", so that a name can neither break a line nor steer the
// terminal; likewise the marks that reverse the direction of text, as their
// UTF-8 bytes. Apply it once, where the text is shown: a second pass would
// double every backslash.
enum class Controls { Escape, Keep };
QString visibleText(const QString& text, Controls controls = Controls::Escape);

// A message naming a file, on the terminal or in a box: as visibleText, but
// a backslash stays as it is, so a Windows path reads as the user wrote it.
// The report and the tables, where two names must never look alike, use
// visibleText.
QString messageText(const QString& text);
