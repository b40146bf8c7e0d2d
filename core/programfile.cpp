#include "programfile.h"

#include "checkedwrite.h"
#include "codepage.h"
#include "nativename.h"
#include "platformfile.h"
#include "zevoerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>


namespace {

QString fullPath(const QString& path) {
    // messageText: a byte that is not UTF-8 shows as "\xNN", not as a box.
    return messageText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

} // namespace

namespace ProgramFile {

QString openFailedMessage(const QString& path) {
    return QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(fullPath(path));
}

QString load(const QString& path) {
    // Through the platform, as zevo-run reads: a name from the command line
    // may hold bytes the locale cannot decode, and only a plain file is read.
    QFile file;
    if (!PlatformFile::openForReading(file, path, true))
        throw ZevoError(openFailedMessage(path));
    return read(file);
}

QString read(QFile& file) {
    // Read at most one byte past the capacity: the file may grow meanwhile.
    const QByteArray bytes = file.read(Capacity + 1);
    if (file.error() != QFileDevice::NoError)
        throw ZevoError(QStringLiteral("Stream-Lesefehler"));
    if (bytes.size() > Capacity)
        throw ZevoError(capacityMessage());
    return decodeWindows1252(bytes);
}

QString unencodableMessage(const QString& text) {
    qsizetype at = -1;
    encodeWindows1252(text, &at);
    if (at < 0)
        return QString();
    const qsizetype line = text.left(at).count(u'\n') + 1;
    QString character(text[at]);
    char32_t code = text[at].unicode();
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        character += text[at + 1];
        code = QChar::surrogateToUcs4(text[at], text[at + 1]);
    }
    // The code point helps where the character itself is invisible.
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, u'0');
    return QStringLiteral("Zeile %1 enthält das Zeichen „%2“ (U+%3), das in der Datei nicht "
                          "gespeichert werden kann.")
        .arg(line)
        .arg(character, hex);
}

void save(const QString& path, const QString& text) {
    qsizetype firstBad = -1;
    const QByteArray bytes = encodeWindows1252(text, &firstBad);
    if (firstBad >= 0)
        throw ZevoError(unencodableMessage(text));

    switch (writeWholeFile(path, bytes)) {
    case CheckedWrite::Written:
        return;
    case CheckedWrite::NotCreated:
        throw ZevoError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(fullPath(path)));
    case CheckedWrite::Failed:
        throw ZevoError(QStringLiteral("Stream-Schreibfehler"));
    }
}

} // namespace ProgramFile
