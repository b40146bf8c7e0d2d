#include "programload.h"

#include "codepage.h"
#include "linelist.h"
#include "zevoerror.h"

#include <QFile>
#include <QFileInfo>

QStringList loadProgramLines(const QString& fileName) {
    QFile file(fileName);
    const auto failed = [&fileName] {
        return ZevoError(QStringLiteral("Datei %1 kann nicht geöffnet werden")
                             .arg(QFileInfo(fileName).absoluteFilePath()));
    };
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw failed();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw failed();
    return splitProgramLines(decodeWindows1252(bytes));
}
