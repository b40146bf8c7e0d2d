#pragma once

#include <QByteArray>
#include <QString>

// File names on the command line are bytes, not always valid UTF-8 (a name
// written on a Latin-1 system). Such a name survives the trip through QString:
// every byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, and encodeArgument() gives the bytes back unchanged.
QString decodeArgument(const QByteArray& bytes);
QByteArray encodeArgument(const QString& text);
