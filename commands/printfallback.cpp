#include "printfallback.h"

#include <QDir>
#include <QFileInfo>

namespace {

QDir programFolder(const QString& programFile) {
    return programFile.isEmpty() ? QDir::current() : QFileInfo(programFile).absoluteDir();
}

} // namespace

QString programPdfName(const QString& programFile) {
    const QFileInfo program(programFile);
    return programFolder(programFile).filePath(program.completeBaseName() + QStringLiteral(".pdf"));
}

QString protocolPdfName(const QString& programFile) {
    return programFolder(programFile).filePath(QStringLiteral("Protokoll.pdf"));
}
