// Loading, editing and saving large program files in the editor, to choose the
// editor's capacity. Prints one line per case: medians of five runs in ms.
#include "RMProgramEditor.h"
#include "programfile.h"
#include "codepage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 5;

double medianMs(const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[Runs / 2];
}

// Program lines of a typical length ("1230 cload 123"), or one line without breaks.
QByteArray programOfSize(qint64 bytes, bool oneLine) {
    QByteArray text;
    text.reserve(bytes + 32);
    for (int i = 1; text.size() < bytes; ++i) {
        text += QByteArray::number(10 * i) + " cload " + QByteArray::number(i % 1000);
        text += oneLine ? " " : "\r\n";
    }
    text.truncate(bytes);
    return text;
}

QString readDirectly(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? decodeWindows1252(file.readAll()) : QString();
}

void measure(const QString& dir, qint64 bytes, bool oneLine) {
    const QString path = dir + QStringLiteral("/p.rmp");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(programOfSize(bytes, oneLine)) != bytes)
        return;
    file.close();

    TRMProgramEditor editor;
    editor.resize(225, 353); // the main window's editor, so wrapping is real
    editor.show();
    QCoreApplication::processEvents();

    // Open as the command does it, up to the first line access of the reset.
    const double open = medianMs([&] {
        // Past the capacity the file is read directly, to show why it is the limit.
        editor.replaceWholeText(bytes <= ProgramFile::Capacity ? ProgramFile::load(path)
                                                               : readDirectly(path));
        editor.setCaretPosition(0);
        editor.lineCount();
        QCoreApplication::processEvents();
    });
    // One typed character in the middle, then the next step's line access.
    const double keystroke = medianMs([&] {
        QTextCursor cursor(editor.document());
        cursor.setPosition(editor.document()->characterCount() / 2);
        cursor.insertText(QStringLiteral("x"));
        editor.lineText(editor.lineCount() / 2);
        QCoreApplication::processEvents();
    });
    const double save = medianMs([&] { ProgramFile::save(path, editor.wholeText()); });
    std::printf("%-10s %6lld KiB  rows %8d  open %8.1f ms  keystroke %8.1f ms  save %7.1f ms\n",
                oneLine ? "one line" : "lines", bytes / 1024, editor.lineCount(), open, keystroke,
                save);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("capacity %lld KiB\n", ProgramFile::Capacity / 1024);
    for (const qint64 kib : {64, 256, 512, 1024, 2048, 4096})
        measure(dir.path(), kib * 1024, false);
    for (const qint64 kib : {16, 64, 256, 1024})
        measure(dir.path(), kib * 1024, true);
    return 0;
}
