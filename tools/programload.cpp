#include "programload.h"

#include "codepage.h"
#include "linelist.h"
#include "programfile.h"
#include "zevoerror.h"

#include <QFile>
#include <QFileInfo>

QStringList loadProgramLines(const QString& fileName) {
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw ZevoError(QStringLiteral("Datei %1 kann nicht geöffnet werden")
                            .arg(QFileInfo(fileName).absoluteFilePath()));
    // The editor's limit applies here too, so that the runner takes exactly the
    // programs the window takes. One byte more tells a file that is too large.
    const QByteArray bytes = file.read(ProgramFile::Capacity + 1);
    if (file.error() != QFileDevice::NoError)
        throw ZevoError(QStringLiteral("Stream-Lesefehler"));
    if (bytes.size() > ProgramFile::Capacity)
        throw ZevoError(ProgramFile::capacityMessage());
    return splitProgramLines(decodeWindows1252(bytes));
}
