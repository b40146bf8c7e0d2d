// Appending protocol entries to the protocol window: the cost of one entry must
// not grow with the protocol's length. Appends 100,000 entries of R0..R50 with
// the program line ("Register- und Befehlsprotokoll", "groß") and prints the
// median cost of one append among the first and the last 1,000, and the total.
#include "UZevoProtokoll.h"
#include "benchsupport.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Entries = 100000;
constexpr int Window = 1000;

// Values of every length from 1 to 11 characters, changing from step to step.
class SteppingRegisters : public RegisterAccess {
public:
    qint32 ReadRegister(qint32 n) const override {
        const qint64 mixed = qint64(step) * 7919 + qint64(n) * 104729 * (n % 7 + 1) * n;
        return qint32(mixed % 2147483647) * (n % 2 ? -1 : 1);
    }
    void WriteRegister(qint32, qint32) override {}
    int step = 0;
};

class Program : public ProgramText {
public:
    qint32 lineCount() const override { return 1000; }
    QString lineText(qint32 n) const override {
        return QStringLiteral("%1 cload %2").arg(10 * (n + 1)).arg(n);
    }
};

double medianUs(const std::vector<qint64>& nanoseconds) {
    return double(bench::median(nanoseconds)) / 1000.0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SteppingRegisters registers;
    Program program;
    bench::SilentDialogs dialogs;
    PlainSettings settings;
    settings.Kind = ProtocolKind::RegistersAndInstruction;
    settings.Spacing = ProtocolSpacing::Gross;
    settings.LastRegister = 50;

    TProtokollFormular window(dialogs);
    WindowRun session = makeWindowRun(program, registers, settings);
    session.sink().setSink(&window);
    window.show();
    QCoreApplication::processEvents();
    session.writeHeading();

    std::vector<qint64> costs;
    costs.reserve(Entries);
    QElapsedTimer total;
    qint64 totalNs = 0;
    for (int i = 0; i < Entries; ++i) {
        registers.step = i;
        const qint32 CurrentLine = i % 1000;
        total.start();
        session.CurrentLine = CurrentLine;
        session.writeEntry();
        const qint64 ns = total.nsecsElapsed();
        totalNs += ns;
        costs.push_back(ns);
        // A clocked run lets the window repaint between steps.
        if (i % 100 == 99)
            QCoreApplication::processEvents();
    }

    const std::vector<qint64> first(costs.begin(), costs.begin() + Window);
    const std::vector<qint64> last(costs.end() - Window, costs.end());
    std::printf("entries: %d of 51 registers, Register- und Befehlsprotokoll, gross\n", Entries);
    std::printf("protocol lines: %d\n", int(window.protocolLines().size()));
    std::printf("median append, first %d entries: %.1f us\n", Window, medianUs(first));
    for (const int from : {10000, 50000}) {
        const std::vector<qint64> middle(costs.begin() + from, costs.begin() + from + Window);
        std::printf("median append, entries %d to %d: %.1f us\n", from + 1, from + Window,
                    medianUs(middle));
    }
    std::printf("median append, last %d entries: %.1f us\n", Window, medianUs(last));
    std::printf("total append time: %.0f ms\n", double(totalNs) / 1e6);
    return 0;
}
