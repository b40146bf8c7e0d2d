// Cost of one register write with the repaint it causes, as in a clocked run:
// the write schedules the repaint, the event loop carries it out. This must stay
// far below the 10 ms of the top clock rate. Also prints the pixels repainted
// per write (the grid's viewport and the open cell editor) and, for comparison,
// the cost of a whole-grid repaint, which "Register löschen" and "Register
// wiederherstellen" cause.
#include "tRegisterEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPaintEvent>
#include <algorithm>
#include <cstdio>
#include <functional>
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

// Sums the pixels of every paint event in the application.
class PixelCount final : public QObject {
public:
    qint64 pixels = 0;
    qint64 events = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++events;
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

// Runs `action` followed by the event loop `count` times; prints the median
// time and the pixels painted per run.
void measure(const char* what, int count, const std::function<void(int)>& action) {
    PixelCount census;
    std::vector<qint64> samples;
    samples.reserve(std::size_t(count));
    QElapsedTimer clock;
    qApp->installEventFilter(&census);
    for (int i = 0; i < count; ++i) {
        clock.start();
        action(i);
        QApplication::processEvents();
        samples.push_back(clock.nsecsElapsed());
    }
    qApp->removeEventFilter(&census);
    std::printf("%s: median %.1f us, p90 %.1f us, %.2f paint events and %.0f pixels each\n", what,
                median(samples), percentile90(samples), double(census.events) / count,
                double(census.pixels) / count);
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
    std::printf("bench_grid: %d writes, 51-row grid 137x353, viewport %dx%d, %d visible rows\n",
                Writes, grid.viewport()->width(), grid.viewport()->height(),
                grid.viewport()->height() / 18 + 1);
    // The registers a counting loop writes: the accumulator, one visible
    // register and one below the visible rows.
    constexpr int LoopRegisters[] = {0, 7, 0, 50};
    measure("write+processEvents, loop R0 R7 R0 R50", Writes,
            [&grid, &LoopRegisters](int i) { grid.WriteRegister(LoopRegisters[i % 4], i * 7919); });
    measure("write+processEvents, every register in turn", Writes,
            [&grid](int i) { grid.WriteRegister(i % 51, -i); });
    measure("ClearRegisters+processEvents (whole grid)", Writes / 10,
            [&grid](int) { grid.ClearRegisters(); });
    return 0;
}
