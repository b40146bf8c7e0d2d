// Cost of one register write with the repaint it causes: a clocked run writes
// and repaints the whole grid after every step, so this must stay far below
// the 10 ms of the top clock rate.
#include "tRegisterEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double median(std::vector<qint64> samples) {
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() / 2]) / 1000.0;
}

double percentile90(std::vector<qint64> samples) {
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() * 9 / 10]) / 1000.0;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    TRegisterEditor grid;
    grid.SetRegisterEditMasks();
    grid.SetMarkChanges(true);
    grid.resize(137, 353);
    grid.show();
    QApplication::processEvents();

    constexpr int Writes = 10000;
    std::vector<qint64> queued;
    std::vector<qint64> direct;
    queued.reserve(Writes);
    direct.reserve(Writes);
    QElapsedTimer clock;
    // As in a run: the write schedules the repaint, the event loop carries it out.
    for (int i = 0; i < Writes; ++i) {
        clock.start();
        grid.WriteRegister(i % 51, i * 7919);
        QApplication::processEvents();
        queued.push_back(clock.nsecsElapsed());
    }
    // The painting alone, forced at once.
    for (int i = 0; i < Writes; ++i) {
        clock.start();
        grid.WriteRegister(i % 51, -i);
        grid.viewport()->repaint();
        direct.push_back(clock.nsecsElapsed());
    }
    std::printf("bench_grid: %d writes, 51-row grid 137x353, %d visible rows\n", Writes,
                grid.viewport()->height() / 18 + 1);
    std::printf("write+processEvents median %.1f us, p90 %.1f us\n", median(queued),
                percentile90(queued));
    std::printf("write+viewport repaint median %.1f us, p90 %.1f us\n", median(direct),
                percentile90(direct));
    return 0;
}
