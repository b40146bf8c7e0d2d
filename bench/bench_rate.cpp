// The rate held at the top clock rate: the real main window (protocol window
// and options dialog attached, as the application does) runs a loop program on
// the offscreen platform at slider position 4615, with "Register- und
// Befehlsprotokoll" of 51 registers, highlighting and marking on.
//
//   bench_rate [steps]     (or ZEVO_BENCH_RATE_STEPS; default 3000, full run 100000)
//   ZEVO_BENCH_RATE_PROTOCOL=hidden   runs with the protocol window hidden
//   ZEVO_BENCH_RATE_PAINTS=1          also prints which widgets were repainted
//                                     per pass, and how many pixels
//   ZEVO_BENCH_RATE_BARE=1            no window shown, nothing marked: the floor
//                                     of a pass (step, counter, message processing,
//                                     sleep) that no painting can go below
//
// Prints the steps per second over the first and the last 1,000 steps, the
// median overhead of one pass of the run loop beyond its 10 ms sleep (wall
// clock, and the CPU time of the pass), the CPU time per pass over the whole
// run, and the last rate as a share of the limit the measured sleep sets.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "protocolview.h"
#include "radiogroup.h"
#include "tRegisterEditor.h"
#include "updownarrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPaintEvent>
#include <QSlider>
#include <map>

namespace {

constexpr int Window = 1000;

// The real window; only its wait is watched, to time every pass of the loop.
class TimedWindow final : public THauptformular {
public:
    TimedWindow(Dialogs& dialogs, int steps) : THauptformular(dialogs), m_steps(steps) {
        m_sleepStart.reserve(std::size_t(steps) + 1);
        m_sleepNs.reserve(std::size_t(steps) + 1);
        m_cpuAtSleep.reserve(std::size_t(steps) + 1);
    }
    void sleep10ms() override {
        const qint64 start = m_clock.nsecsElapsed();
        m_sleepStart.push_back(start);
        m_cpuAtSleep.push_back(bench::threadCpuNs());
        THauptformular::sleep10ms();
        m_sleepNs.push_back(m_clock.nsecsElapsed() - start);
        if (int(m_sleepStart.size()) > m_steps)
            ProgrammStopClick();
    }
    void startClock() { m_clock.start(); }

    std::vector<qint64> m_sleepStart;
    std::vector<qint64> m_sleepNs;
    std::vector<qint64> m_cpuAtSleep;

private:
    QElapsedTimer m_clock;
    int m_steps;
};

// Counts the paint events of every widget and the pixels they cover.
class PaintCensus final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QString name = watched->objectName();
            if (name.isEmpty())
                name = QString::fromLatin1(watched->metaObject()->className());
            if (watched->parent() && !watched->parent()->objectName().isEmpty())
                name = watched->parent()->objectName() + u'/' + name;
            Tally& tally = m_tally[name];
            ++tally.events;
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                tally.pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
    void print(std::size_t passes) const {
        for (const auto& [name, tally] : m_tally)
            std::printf("paints per pass: %-40s %6.2f events %9.0f pixels\n", qPrintable(name),
                        double(tally.events) / double(passes),
                        double(tally.pixels) / double(passes));
    }

private:
    struct Tally {
        qint64 events = 0;
        qint64 pixels = 0;
    };
    std::map<QString, Tally> m_tally;
};

double stepsPerSecond(const std::vector<qint64>& starts, std::size_t from, std::size_t to) {
    return double(to - from) * 1e9 / double(starts[to] - starts[from]);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int steps = qEnvironmentVariableIntValue("ZEVO_BENCH_RATE_STEPS");
    if (argc > 1)
        steps = QString::fromLocal8Bit(argv[1]).toInt();
    if (steps < 2 * Window)
        steps = 3000;

    bench::SilentDialogs dialogs;
    bench::Windows<TimedWindow> windows(dialogs, steps);
    auto& window = windows.window;
    auto& protocol = windows.protocol;
    auto& options = windows.options;
    options.ProtokollartRadioGroup->setItemIndex(1);
    options.UpDown->setPosition(50);
    options.RegistermarkierenCheckBox->setChecked(true);
    options.ProgrammzeilemarkierenCheckBox->setChecked(true);
    const bool bare = qEnvironmentVariableIntValue("ZEVO_BENCH_RATE_BARE") != 0;
    const bool protocolShown =
        !bare && qEnvironmentVariable("ZEVO_BENCH_RATE_PROTOCOL") != u"hidden";
    if (bare) {
        options.RegistermarkierenCheckBox->setChecked(false);
        options.ProgrammzeilemarkierenCheckBox->setChecked(false);
    } else {
        window.show();
    }
    protocol.setVisible(protocolShown);

    // A loop that changes a register on most steps and jumps back once a pass.
    window.ProgramMemo->setPlainText(QStringLiteral("// Zaehlschleife\n10 cload 0\n20 cadd 1\n"
                                                    "30 store 7\n40 cmult 1\n50 store 50\n"
                                                    "60 goto 20"));
    window.TaktrateTrackBar->setValue(4615);
    QApplication::processEvents();
    window.ProgrammResetClick();
    const qint64 rssBefore = bench::residentKiB();
    std::printf("bench_rate: %d steps at %s, %s, load %s\n", steps,
                qPrintable(window.TaktrateLabel->text().trimmed()),
                bare            ? "no window shown, nothing marked"
                : protocolShown ? "protocol window shown"
                                : "protocol window hidden",
                qPrintable(bench::loadAverage()));
    std::fflush(stdout);

    PaintCensus census;
    const bool countPaints = qEnvironmentVariableIntValue("ZEVO_BENCH_RATE_PAINTS") != 0;
    if (countPaints)
        app.installEventFilter(&census);
    window.startClock();
    window.ProgrammStartClick();
    app.removeEventFilter(&census);

    const auto& s = window.m_sleepStart;
    const std::size_t n = s.size(); // sleep i precedes step i + 1
    if (n < std::size_t(2 * Window + 1)) {
        std::printf("bench_rate: run ended after %zu passes\n", n);
        return 1;
    }
    std::vector<double> overheadMs;
    std::vector<double> cpuMs;
    std::vector<double> lastOverheadMs;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double pass = double(s[i + 1] - s[i] - window.m_sleepNs[i]) / 1e6;
        overheadMs.push_back(pass);
        cpuMs.push_back(double(window.m_cpuAtSleep[i + 1] - window.m_cpuAtSleep[i]) / 1e6);
        if (i + 1 + Window >= n)
            lastOverheadMs.push_back(pass);
    }
    std::printf("steps/s, steps 1-%d: %.2f\n", Window, stepsPerSecond(s, 0, Window));
    std::printf("steps/s, steps %zu-%zu: %.2f\n", n - Window, n - 1,
                stepsPerSecond(s, n - 1 - Window, n - 1));
    std::printf("overhead per pass beyond the sleep: median %.3f ms (last %d: %.3f ms), "
                "cpu per pass median %.3f ms\n",
                bench::median(overheadMs), Window, bench::median(lastOverheadMs),
                bench::median(cpuMs));
    // The trend over the run, in tenths: growth shows here before it moves a median.
    std::printf("overhead per pass by tenth of the run (median, ms):");
    for (int tenth = 0; tenth < 10; ++tenth) {
        const auto from = overheadMs.begin() + std::ptrdiff_t(overheadMs.size() * tenth / 10);
        const auto to = overheadMs.begin() + std::ptrdiff_t(overheadMs.size() * (tenth + 1) / 10);
        std::printf(" %.3f", bench::median(std::vector<double>(from, to)));
    }
    std::printf("\n");
    const double sleepMs = double(bench::median(window.m_sleepNs)) / 1e6;
    std::printf("median sleep10ms: %.3f ms\n", sleepMs);
    // The whole run as one figure, and the top rate against the most a loop of
    // one step and one sleep could reach with this machine's sleep.
    std::printf("cpu per pass over the whole run: %.3f ms\n",
                double(window.m_cpuAtSleep[n - 1] - window.m_cpuAtSleep[0]) / 1e6 / double(n - 1));
    const double lastRate = stepsPerSecond(s, n - 1 - Window, n - 1);
    std::printf("rate of the last %d steps: %.1f%% of the sleep's limit of %.2f steps/s\n", Window,
                100.0 * lastRate * sleepMs / 1000.0, 1000.0 / sleepMs);
    std::printf("protocol lines %lld, resident memory %lld KiB -> %lld KiB, load %s\n",
                qint64(protocol.ProtokollMemo->lineCount()), rssBefore, bench::residentKiB(),
                qPrintable(bench::loadAverage()));
    if (countPaints)
        census.print(n);
    return 0;
}
