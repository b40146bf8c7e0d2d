// Resident memory of the application after 100,000 protocol entries of 51
// registers ("Register- und Befehlsprotokoll", "groß"), against the size of the
// protocol's own text (one byte a character, CR LF line ends, as on the
// clipboard). Also the median cost of one entry early and late in the run.
//
//   bench_memory [entries]   (default 100000)
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "benchwindows.h"
#include "radiogroup.h"
#include "tRegisterEditor.h"
#include "updownarrows.h"

#include <QApplication>
#include <QElapsedTimer>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int entries = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    if (entries < 2000)
        entries = 100000;
    const qint64 rssAtStart = bench::residentKiB();

    bench::SilentDialogs dialogs;
    bench::Windows<> windows(dialogs);
    auto& window = windows.window;
    auto& protocol = windows.protocol;
    auto& options = windows.options;
    options.ProtokollartRadioGroup->setItemIndex(1);
    options.AbstandRadioGroup->setItemIndex(1);
    options.UpDown->setPosition(50);
    window.show();
    protocol.show();
    window.ProgramMemo->setPlainText(
        QStringLiteral("10 cload 0\n20 cadd 1\n30 store 7\n40 goto 20"));
    QApplication::processEvents();
    window.ProgrammResetClick();
    QApplication::processEvents();
    const qint64 rssBefore = bench::residentKiB();

    std::vector<qint64> costs;
    costs.reserve(std::size_t(entries));
    QElapsedTimer timer;
    for (int i = 0; i < entries; ++i) {
        // Values of many lengths, one register changed per entry as a step does.
        window.RegisterEditor->WriteRegister(
            i % 51, qint32((qint64(i) * 7919 * (i % 13 + 1)) % 2147483647));
        timer.start();
        WindowRun& session = window.runControl().run();
        session.CurrentLine = 1 + i % 3;
        session.writeEntry();
        costs.push_back(timer.nsecsElapsed());
        if (i % 100 == 99)
            QApplication::processEvents();
    }
    QApplication::processEvents();
    const qint64 rssAfter = bench::residentKiB();

    qint64 textBytes = 0;
    const QStringList lines = protocol.protocolLines();
    for (const QString& line : lines)
        textBytes += line.size() + 2;
    const std::vector<qint64> first(costs.begin(), costs.begin() + 1000);
    const std::vector<qint64> last(costs.end() - 1000, costs.end());
    std::printf("bench_memory: %d entries of 51 registers, %lld protocol lines, load %s\n", entries,
                qint64(lines.size()), qPrintable(bench::loadAverage()));
    std::printf("protocol text: %.1f MiB\n", double(textBytes) / 1048576.0);
    std::printf("resident memory: %.1f MiB at start, %.1f MiB before the entries, %.1f MiB "
                "after\n",
                double(rssAtStart) / 1024, double(rssBefore) / 1024, double(rssAfter) / 1024);
    std::printf("resident memory / protocol text: %.2f (growth alone: %.2f)\n",
                double(rssAfter) * 1024 / double(textBytes),
                double(rssAfter - rssBefore) * 1024 / double(textBytes));
    std::printf("median append, first 1000: %.1f us, last 1000: %.1f us\n",
                double(bench::median(first)) / 1000, double(bench::median(last)) / 1000);
    return 0;
}
