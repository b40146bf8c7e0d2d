// Soak run of the real main window: a program that never ends, run at the top
// rate (real 10 ms waits) for many steps with the protocol window shown, while
// a timer inside the run loop's message processing changes the options through
// the dialog's own controls and hides and shows the protocol window. At the end
// "Abbruch" stops the run. Prints resident memory against the protocol's own
// text; run it under LeakSanitizer to see that teardown leaves nothing behind.
//
//   soak_window [steps]   (100000 by default, about 17 minutes)
//
// Not part of ctest: it runs for many minutes. Exit code 1 when the run did not
// end as expected or memory beyond the protocol's text grew.

#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "protocolview.h"
#include "radiogroup.h"
#include "tRegisterEditor.h"
#include "updownarrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the AddressSanitizer runtime (its header is not always installed).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
extern "C" std::size_t __sanitizer_get_heap_size();
#endif

namespace {

constexpr int TopRatePosition = 4615;
constexpr qint64 AllowedGrowth = 4 * 1024 * 1024; // noise of the allocators and font caches

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// Bytes the program holds on the heap (only known in the sanitizer build, where
// freed memory waits in a quarantine and RSS says little about the live heap).
qint64 heapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    return -1;
#endif
}

// What the sanitizer's allocator has mapped: live heap, quarantine, free lists.
qint64 allocatorBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_heap_size());
#else
    return -1;
#endif
}

// The bytes the protocol view holds for its text.
qint64 protocolBytes(const TProtokollFormular& protocol) {
    return qint64(protocol.ProtokollMemo->textBytes());
}

struct Sample {
    int step;
    qint64 rss;
    qint64 text;
    qint64 heap;
    qint64 allocator;
    qint64 rest() const { return rss - text; }
    qint64 heapRest() const { return heap - text; }
};

double mib(qint64 bytes) {
    return bytes / (1024.0 * 1024.0);
}

void printSample(const char* label, const Sample& s) {
    std::printf("%-6s step %6d: RSS %8.2f MiB, protocol text %7.2f MiB, RSS minus text %8.2f "
                "MiB",
                label, s.step, mib(s.rss), mib(s.text), mib(s.rest()));
    if (s.heap >= 0)
        std::printf(", heap in use %8.2f MiB, heap minus text %8.2f MiB, allocator mapped "
                    "%8.2f MiB",
                    mib(s.heap), mib(s.heapRest()), mib(s.allocator));
    std::printf("\n");
    std::fflush(stdout);
}

void toggle(RadioGroup* group) {
    group->item(1 - group->itemIndex())->click();
}

} // namespace

int main(int argc, char* argv[]) {
    const int steps = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (steps < 100) {
        std::fprintf(stderr, "usage: soak_window [steps >= 100]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int exitCode = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Zevo 1.0"));
        FakeDialogs dialogs;

        // Built as the application builds it.
        THauptformular window(dialogs);
        TProtokollFormular protocol(dialogs);
        protocol.hide();
        TOptionenFormular options;
        options.hide();
        window.attach(protocol, options);
        window.show();

        window.ProgramMemo->setPlainText(
            QStringLiteral("10 cadd 1\n20 store 3\n30 load 2\n40 cadd 7\n50 store 2\n"
                           "60 load 3\n70 goto 20"));
        window.TaktrateTrackBar->setValue(TopRatePosition);
        window.ProtokollClick();
        window.ProtokolloptionenClick();
        window.ProgrammResetClick();

        // Every `interval` steps one change, in turn; the protocol window is
        // hidden at every fifth change and shown again at the next.
        const int interval = qBound(50, steps / 40, 2500);
        int nextChange = interval;
        int changes = 0;
        std::vector<Sample> afterClear; // taken right after a change that empties the protocol
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            const int done = window.shownStepCount();
            if (done >= steps) {
                window.ProgrammStopClick();
                driver.stop();
                return;
            }
            if (done < nextChange)
                return;
            nextChange += interval;
            bool cleared = false;
            switch (changes % 5) {
            case 0:
                toggle(options.ProtokollartRadioGroup);
                cleared = true;
                break;
            case 1: {
                // Last register between 10 and 15, one arrow click each time.
                const bool up = (changes / 5) % 10 < 5;
                (up ? options.UpDown->upButton() : options.UpDown->downButton())->click();
                cleared = true;
                break;
            }
            case 2:
                toggle(options.AbstandRadioGroup);
                cleared = true;
                break;
            case 3:
                options.RegistermarkierenCheckBox->click();
                break;
            case 4:
                options.ProgrammzeilemarkierenCheckBox->click();
                break;
            }
            if (changes % 5 == 4 || (changes % 5 == 0 && !protocol.isVisible()))
                window.ProtokollClick();
            ++changes;
            if (cleared)
                afterClear.push_back({done, residentBytes(), protocolBytes(protocol), heapBytes(),
                                      allocatorBytes()});
        });
        driver.start(0);

        const Sample before{0, residentBytes(), protocolBytes(protocol), heapBytes(),
                            allocatorBytes()};
        printSample("before", before);
        QElapsedTimer clock;
        clock.start();
        window.ProgrammStartClick();
        const double seconds = clock.nsecsElapsed() / 1e9;
        const int done = window.shownStepCount();
        const Sample atEnd{done, residentBytes(), protocolBytes(protocol), heapBytes(),
                           allocatorBytes()};

        std::printf("steps %d in %.1f s: %.1f steps/s, %d option changes, protocol %s, %lld "
                    "protocol lines at the end\n",
                    done, seconds, done / seconds, changes,
                    protocol.isVisible() ? "shown" : "hidden",
                    static_cast<long long>(protocol.protocolLines().size()));
        const bool aborted =
            dialogs.log == QStringList{QStringLiteral("information:Abbruch durch den Benutzer!")};
        std::printf("end message: %s\n", qPrintable(dialogs.log.join(QStringLiteral(" | "))));
        if (!aborted || done < steps)
            exitCode = 1;

        // Start, middle and end, each right after a change emptied the protocol.
        // The first ones warm the font and layout caches; compare from the second.
        if (afterClear.size() >= 3) {
            const Sample& first = afterClear[1];
            const Sample& middle = afterClear[afterClear.size() / 2];
            const Sample& last = afterClear.back();
            for (const Sample& s : afterClear)
                printSample("sample", s);
            printSample("start", first);
            printSample("middle", middle);
            printSample("end", last);
            // Under AddressSanitizer RSS holds up to 256 MiB of freed memory in
            // its quarantine and wanders with it; the live heap decides there.
            // Without it, RSS keeps malloc's high-water mark of the first tens of
            // thousands of steps (glyph and layout buffers of the widest protocol
            // lines) and then stays flat; a leak growing with the steps shows from
            // the middle on as well.
            const bool heapKnown = first.heap >= 0;
            std::printf("growth of RSS minus protocol text: start to end %+.2f MiB, middle to "
                        "end %+.2f MiB (%s)\n",
                        mib(last.rest() - first.rest()), mib(last.rest() - middle.rest()),
                        heapKnown ? "for information" : "middle to end allowed 4 MiB");
            if (!heapKnown && last.rest() - middle.rest() > AllowedGrowth)
                exitCode = 1;
            if (heapKnown) {
                const qint64 heapGrowth = last.heapRest() - first.heapRest();
                std::printf("growth of heap in use minus protocol text, start to end: %+.2f MiB "
                            "(allowed 4 MiB)\n",
                            mib(heapGrowth));
                if (heapGrowth > AllowedGrowth)
                    exitCode = 1;
            }
        }
        printSample("final", atEnd);
        std::printf("soak %s\n", exitCode == 0 ? "passed" : "FAILED");
        std::fflush(stdout);
        // Everything is torn down here in reverse order, before LeakSanitizer looks.
    }
    return exitCode;
}
