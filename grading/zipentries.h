#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// The entries of a zip archive by name, found through its central directory
// and inflated. Reads never past the end: a short or broken archive gives
// fewer entries, or an entry whose bytes failed to inflate is left out.
QHash<QString, QByteArray> zipEntries(const QByteArray& zip);
