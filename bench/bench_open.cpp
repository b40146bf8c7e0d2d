// Opening a 1 MiB program file (about 60,000 lines) through "Öffnen..." of the
// real main window, up to the end of the reset that ends the command. Medians
// of whole commands, and the parts of one open timed on their own.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "programfile.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>

namespace {
constexpr int Runs = 5;

double msOf(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Typical lines ("1230 cload 123") up to the file format's capacity.
QByteArray programOfSize(qint64 bytes) {
    QByteArray text;
    text.reserve(bytes + 32);
    for (int i = 1; text.size() < bytes; ++i)
        text += QByteArray::number(10 * i) + " cload " + QByteArray::number(i % 1000) + "\r\n";
    text.truncate(bytes);
    return text;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/gross.rmp");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.write(programOfSize(ProgramFile::Capacity)))
            return 1;
    }

    bench::SilentDialogs dialogs;
    dialogs.openAnswer = path;
    bench::Windows<> windows(dialogs);
    auto& window = windows.window;
    window.show();
    QApplication::processEvents();

    std::vector<double> open;
    for (int r = 0; r < Runs; ++r) {
        window.NeuClick();
        QApplication::processEvents();
        open.push_back(msOf([&] { window.OeffnenClick(); }));
        QApplication::processEvents();
    }
    std::printf("bench_open: %lld KiB, %d rows, load %s\n", ProgramFile::Capacity / 1024,
                window.ProgramMemo->lineCount(), qPrintable(bench::loadAverage()));
    std::printf("Oeffnen up to the end of its reset: median %.1f ms (%d runs)\n",
                bench::median(open), Runs);

    // The same work in its parts, to show where the time goes.
    std::vector<double> load, replace, caret, highlight, reset;
    TRMProgramEditor& editor = *window.ProgramMemo;
    for (int r = 0; r < Runs; ++r) {
        window.NeuClick();
        QApplication::processEvents();
        QString text;
        load.push_back(msOf([&] { text = ProgramFile::load(path); }));
        replace.push_back(msOf([&] { editor.replaceWholeText(text); }));
        caret.push_back(msOf([&] { editor.setCaretPosition(0); }));
        highlight.push_back(msOf([&] { editor.HighlightLine(0); }));
        reset.push_back(msOf([&] { window.ProgrammResetClick(); }));
        QApplication::processEvents();
    }
    std::printf("parts (medians): load %.1f ms, replaceWholeText %.1f ms, setCaretPosition "
                "%.1f ms, HighlightLine(0) %.1f ms, reset %.1f ms\n",
                bench::median(load), bench::median(replace), bench::median(caret),
                bench::median(highlight), bench::median(reset));
    return 0;
}
