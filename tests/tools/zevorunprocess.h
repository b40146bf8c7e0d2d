#pragma once

// zevo-run run as a process, as scripts use it, for the tests of the single
// run and of grading.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zevorun {

// A second name for a file; NTFS has them too.
inline bool hardLink(const QString& file, const QString& link) {
#ifdef Q_OS_WIN
    return ::CreateHardLinkW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(link).utf16()),
                             reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(file).utf16()),
                             nullptr);
#else
    return ::link(QFile::encodeName(file).constData(), QFile::encodeName(link).constData()) == 0;
#endif
}

struct Run {
    int status = -1;
    QStringList out; // stdout lines without their LF
    QStringList err; // stderr lines
};

inline QStringList linesOf(const QByteArray& bytes) {
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

inline Run runZevo(const QStringList& arguments, const QString& workingDirectory = {}) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(ZEVO_RUN_PATH), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return run;
    const QByteArray out = process.readAllStandardOutput();
    // Every line, the last one included, ends with one LF; no CR slips through.
    if (!out.isEmpty() && !out.endsWith('\n'))
        return run;
    if (out.contains('\r'))
        return run;
    run.status = process.exitCode();
    run.out = linesOf(out);
    run.err = linesOf(process.readAllStandardError());
    return run;
}

const QString Success = QStringLiteral("Programm wurde erfolgreich ausgeführt!");
const QString Limit = QStringLiteral("Schrittlimit erreicht, Abbruch!");

// QTemporaryDir cannot remove a name that is not UTF-8; this removes by bytes.
inline bool removeTreeByBytes(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return true;
#else
    return ::nftw(QFile::encodeName(path).constData(),
                  [](const char* name, const struct stat*, int, FTW*) { return ::remove(name); }, 16,
                  FTW_DEPTH | FTW_PHYS) == 0;
#endif
}

} // namespace zevorun
