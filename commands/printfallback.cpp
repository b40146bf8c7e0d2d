#include "printfallback.h"

#include "dialogs.h"

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

QString pdfInsteadOfPrinter(Dialogs& dialogs, const QString& pdfName) {
    if (!dialogs.confirm(QStringLiteral("Es ist kein Drucker eingerichtet.\n\n"
                                        "Soll der Ausdruck stattdessen als PDF-Datei "
                                        "gespeichert werden?")))
        return QString();
    return dialogs.pdfFileName(pdfName);
}
