// What a 10 ms sleep costs the work after it. At the top clock rate every step
// follows such a sleep; on a machine whose caches are cold after it, the same
// work takes several times longer than in a tight loop.
//
//   bench_wake
//
// Prints, each warm (back to back) and after a 10 ms sleep, the median of:
// reading 256 KiB, a fixed integer loop, and one HighlightLine of the real main
// window with its repaint; and how long QThread::msleep(10) really sleeps.
#include "RMProgramEditor.h"
#include "benchsupport.h"
#include "benchwindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Rounds = 300;

volatile unsigned sink = 0;

// Median microseconds of work, run back to back or each after a 10 ms sleep.
double medianMicros(const std::function<void()>& work, bool afterSleep) {
    std::vector<qint64> ns;
    ns.reserve(Rounds);
    QElapsedTimer clock;
    for (int i = 0; i < Rounds; ++i) {
        if (afterSleep)
            QThread::msleep(10);
        clock.start();
        work();
        ns.push_back(clock.nsecsElapsed());
    }
    return double(bench::median(ns)) / 1000.0;
}

void report(const char* what, const std::function<void()>& work) {
    medianMicros(work, false); // first use out of the way
    const double warm = medianMicros(work, false);
    const double cold = medianMicros(work, true);
    std::printf("%-44s warm %8.1f us, after a 10 ms sleep %8.1f us (x%.1f)\n", what, warm, cold,
                cold / warm);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("bench_wake: load %s\n", qPrintable(bench::loadAverage()));

    std::vector<char> memory(std::size_t(256) * 1024, 1);
    report("read 256 KiB", [&memory] {
        unsigned sum = 0;
        for (std::size_t i = 0; i < memory.size(); i += 64)
            sum += unsigned(memory[i]);
        sink = sum;
    });
    report("integer loop (20,000 rounds)", [] {
        unsigned x = 1;
        for (int i = 0; i < 20000; ++i)
            x = x * 1664525U + 1013904223U;
        sink = x;
    });

    bench::SilentDialogs dialogs;
    bench::Windows<> windows(dialogs);
    windows.window.show();
    TRMProgramEditor* editor = windows.window.ProgramMemo;
    editor->setPlainText(QStringLiteral("// Zaehlschleife\n10 cload 0\n20 cadd 1\n30 store 7\n"
                                        "40 cmult 1\n50 store 50\n60 goto 20"));
    QApplication::processEvents();
    int line = 0;
    report("HighlightLine and its repaint", [&] {
        editor->HighlightLine(2 + line++ % 5);
        QApplication::processEvents();
    });

    std::vector<qint64> sleeps;
    QElapsedTimer clock;
    for (int i = 0; i < Rounds; ++i) {
        clock.start();
        QThread::msleep(10);
        sleeps.push_back(clock.nsecsElapsed());
    }
    std::printf("QThread::msleep(10) median %.3f ms\n", double(bench::median(sleeps)) / 1e6);
    return 0;
}
