// Long programs in the real main window (word wrap on, protocol attached with
// its default settings): a single step from the first line whose jump target is
// the last line of a 10,000-line program, the step back, and the reset.
// Medians of whole clicks, after the row index has been built once.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace {
constexpr int Lines = 10000;
constexpr int Repeats = 41;

double msOf(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    bench::Windows<> windows(dialogs);
    auto& window = windows.window;
    window.show();

    // Line 1 jumps to the last line, which jumps back; a few lines wrap.
    QString program = QStringLiteral("10 goto %1\n").arg(10 * Lines);
    for (int i = 2; i < Lines; ++i) {
        program += i % 100 == 0 ? QStringLiteral("// ein Kommentar, der in diesem schmalen "
                                                 "Editor auf mehrere Zeilen umbricht\n")
                                : QStringLiteral("%1 cload %2\n").arg(10 * i).arg(i % 1000);
    }
    program += QStringLiteral("%1 goto 10").arg(10 * Lines);
    window.ProgramMemo->setPlainText(program);
    QApplication::processEvents();

    const double firstReset = msOf([&] { window.ProgrammResetClick(); });
    std::vector<double> toLast, back, reset;
    for (int r = 0; r < Repeats; ++r) {
        toLast.push_back(msOf([&] { window.EinzelschrittClick(); }));
        back.push_back(msOf([&] { window.EinzelschrittClick(); }));
        QApplication::processEvents();
        reset.push_back(msOf([&] { window.ProgrammResetClick(); }));
        QApplication::processEvents();
    }
    std::printf("bench_longprogram: %d lines (%d rows) in the editor, word wrap on, load %s\n",
                Lines, window.ProgramMemo->lineCount(), qPrintable(bench::loadAverage()));
    std::printf("step to the last line: median %.3f ms\n", bench::median(toLast));
    std::printf("step back to the first line: median %.3f ms\n", bench::median(back));
    std::printf("reset: median %.3f ms (first reset after the text was set: %.1f ms)\n",
                bench::median(reset), firstReset);
    return 0;
}
