// The main window's clocked run in real time, offscreen: time per step at the
// top rate (with and without the protocol window on screen) and how long
// "Abbruch" takes to end a run that is waiting. Medians of several whole runs.

#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "tRegisterEditor.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 5;

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    bench::Windows<> windows(dialogs);
    auto& window = windows.window;
    auto& protocol = windows.protocol;
    window.show();

    // 1 + 30 * 3 + 2 steps, ended by "end".
    window.ProgramMemo->setPlainText(
        QStringLiteral("10 cload 30\n20 csub 1\n30 jzero 50\n40 goto 20\n50 end"));
    window.TaktrateTrackBar->setValue(window.TaktrateTrackBar->maximum());
    for (bool protocolShown : {false, true}) {
        protocol.setVisible(protocolShown);
        std::vector<double> perStep;
        for (int r = 0; r < Runs; ++r) {
            window.ProgrammResetClick();
            QElapsedTimer timer;
            timer.start();
            window.ProgrammStartClick();
            const double ms = timer.nsecsElapsed() / 1e6;
            perStep.push_back(ms / std::max(1, window.StepsLabel->text().toInt()));
        }
        std::printf("run at 100,0 Hz, protocol %s: median %.2f ms per step (%d runs of %s "
                    "steps)\n",
                    protocolShown ? "shown" : "hidden", bench::median(perStep), Runs,
                    qPrintable(window.StepsLabel->text()));
    }
    protocol.hide();

    // A never-ending program at 6,4 Hz (16 waits of 10 ms): how late a click
    // on "Abbruch" is handled while the loop waits. The run itself ends after
    // the wait and one more step, as it should.
    window.ProgramMemo->setPlainText(QStringLiteral("10 goto 10"));
    window.TaktrateTrackBar->setValue(2000);
    QAction* stop = window.command(QStringLiteral("ProgrammStop"));
    std::vector<double> lateness;
    for (int r = 0; r < 4 * Runs; ++r) {
        window.ProgrammResetClick();
        const int due = 100 + 7 * r;
        QElapsedTimer sinceStart;
        QTimer::singleShot(due, Qt::PreciseTimer, [&] {
            lateness.push_back(sinceStart.nsecsElapsed() / 1e6 - due);
            stop->trigger();
        });
        sinceStart.start();
        window.ProgrammStartClick();
    }
    std::printf("Abbruch during a wait: handled a median %.2f ms (max %.2f ms) after the click "
                "(%d runs)\n",
                bench::median(lateness), *std::max_element(lateness.begin(), lateness.end()), 4 * Runs);
    return 0;
}
