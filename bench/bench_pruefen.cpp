// The grading window's path against zevo-run on the same class: 2,000
// programs x 20 cases, graded from the list to the last row (offscreen).
//   build/bench/bench_pruefen [path/to/zevo-run] [runs]   (default: the build's own, 5)
// Prints the medians of the wall-clock times and their ratio; the window
// must be within 10% of zevo-run. Also how soon "Abbrechen" is answered
// while a case runs towards the largest step limit.

#include "benchsupport.h"
#include "gradingcontroller.h"
#include "gradingreport.h"
#include "pruefendialogs.h"
#include "pruefenwindow.h"
#include "resultsmodel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>

namespace {

class SilentPruefenDialogs final : public PruefenDialogs {
public:
    void showError(const QString& text) override {
        std::fprintf(stderr, "error display: %s\n", qPrintable(text));
    }
    QString openTaskFile() override { return {}; }
    QStringList openProgramFiles() override { return {}; }
    QString chooseFolder() override { return {}; }
    std::optional<SaveChoice> saveResultsFile() override { return std::nullopt; }
    void helpTopic(const QString&) override {}
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

constexpr int Programs = 2000;
constexpr int Cases = 20;

// Euclid by subtraction, right and with a typo, as a class hands them in;
// each file is a file of its own.
QStringList writeClass(const QString& dir) {
    const QByteArray right = "10 load 1\r\n20 jzero 130\r\n30 load 2\r\n40 jzero 150\r\n"
                             "50 load 1\r\n60 sub 2\r\n70 jzero 150\r\n80 load 1\r\n"
                             "90 sub 2\r\n100 store 1\r\n110 goto 10\r\n130 load 2\r\n"
                             "140 store 3\r\n145 end\r\n150 load 1\r\n160 store 3\r\n170 end\r\n";
    QStringList programs;
    for (int p = 0; p < Programs; ++p) {
        QByteArray text = "// Abgabe " + QByteArray::number(p) + "\r\n" + right;
        if (p % 4 == 3)
            text.replace("90 sub 2", "90 sbu 2");
        const QString name =
            QStringLiteral("%1/abgabe%2.rmp").arg(dir).arg(p, 4, 10, QLatin1Char('0'));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return {};
        programs << name;
    }
    return programs;
}

QString writeTask(const QString& dir) {
    QByteArray task = "Titel: Bench\nSchrittlimit: 100000\n";
    for (int c = 1; c <= Cases; ++c)
        task += "R1=" + QByteArray::number(c * 37) + " R2=" + QByteArray::number(c % 5 + 1) +
                " -> R3=" + QByteArray::number(std::gcd(c * 37, c % 5 + 1)) + "\n";
    const QString name = dir + QStringLiteral("/klasse.aufgabe");
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(task) != task.size())
        return {};
    return name;
}

// As the window waits in its event loop, without spinning: until every row
// is graded, then until the grading's threads have ended and the files are
// watched.
void waitUntilGraded(PruefenWindow& window) {
    QEventLoop loop;
    QObject::connect(&window.controller(), &GradingController::busyChanged, &loop, [&](bool busy) {
        if (!busy)
            loop.quit();
    });
    if (window.controller().busy())
        loop.exec();
}

void waitUntilDone(PruefenWindow& window) {
    QEventLoop loop;
    QObject::connect(&window.controller(), &GradingController::threadsEnded, &loop,
                     &QEventLoop::quit);
    if (window.controller().threadsRunning())
        loop.exec();
}

// CPU time (user + system) in ms of this process or of its ended children.
double cpuMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    // By default the zevo-run of the same build folder.
    const QString runner =
        args.value(1, QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/zevo-run"));
    const int runs = args.value(2, QStringLiteral("5")).toInt();
    QTemporaryDir dir;
    const QStringList programs = writeClass(dir.path());
    const QString task = writeTask(dir.path());
    if (programs.size() != Programs || task.isEmpty() || !QFile::exists(runner)) {
        std::fprintf(stderr, "bench_pruefen: Klasse nicht geschrieben oder %s fehlt\n",
                     qPrintable(runner));
        return 2;
    }

    std::vector<double> windowMs, runnerMs, listMs, windowCpu, runnerCpu, settledMs;
    QStringList report;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double childrenBefore = cpuMs(RUSAGE_CHILDREN);
        QProcess process;
        process.start(runner, QStringList{QStringLiteral("--aufgabe"), task} + programs);
        process.waitForFinished(-1);
        runnerMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        runnerCpu.push_back(cpuMs(RUSAGE_CHILDREN) - childrenBefore);
        report = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');

        SilentPruefenDialogs dialogs;
        PruefenWindow window(dialogs);
        const double selfBefore = cpuMs(RUSAGE_SELF);
        timer.restart();
        // As zevo-pruefen TASK PROGRAMS... does it.
        window.openTask(task);
        window.addPrograms(programs);
        listMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        waitUntilGraded(window);
        windowMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        windowCpu.push_back(cpuMs(RUSAGE_SELF) - selfBefore);
        waitUntilDone(window);
        settledMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (int row = 0; row < Programs; ++row) {
            const ProgramEntry& e = window.results().entry(row);
            if (!e.grade ||
                programReportLine(*window.results().task(), *e.grade) != report.value(row + 1)) {
                std::fprintf(stderr, "bench_pruefen: Zeile %d weicht von zevo-run ab\n", row + 1);
                return 1;
            }
        }
    }

    // "Abbrechen" while every core runs a case towards 2,147,483,647 steps.
    std::vector<double> cancelMs;
    {
        QTemporaryDir cancelDir;
        QFile endless(cancelDir.filePath(QStringLiteral("endlos.rmp")));
        QFile longTask(cancelDir.filePath(QStringLiteral("lang.aufgabe")));
        if (!endless.open(QIODevice::WriteOnly) || endless.write("10 goto 10\r\n") != 12 ||
            !longTask.open(QIODevice::WriteOnly) ||
            longTask.write("Schrittlimit: 2147483647\nR1=1 -> R1=1\n") != 38)
            return 2;
        endless.close();
        longTask.close();
        for (int i = 0; i < runs; ++i) {
            SilentPruefenDialogs dialogs;
            PruefenWindow window(dialogs);
            window.addPrograms({endless.fileName()});
            window.openTask(longTask.fileName());
            QThread::msleep(100);
            QElapsedTimer timer;
            timer.start();
            window.cancelGrading();
            waitUntilDone(window);
            cancelMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }

    const double w = bench::median(windowMs);
    const double r = bench::median(runnerMs);
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load =
        loadavg.open(QIODevice::ReadOnly) ? loadavg.readAll().split(' ').value(0) : "?";
    std::printf("bench_pruefen: %d programs x %d cases on %d cores (load %s), median of %d runs\n",
                Programs, Cases, QThread::idealThreadCount(), load.constData(), runs);
    const double wc = bench::median(windowCpu);
    const double rc = bench::median(runnerCpu);
    std::printf("zevo-run --aufgabe: wall %.0f ms, cpu %.0f ms\n", r, rc);
    std::printf("grading window, task and list to every row graded: wall %.0f ms, cpu %.0f ms "
                "(task and list in the window's thread %.0f ms, the grading already running; "
                "threads ended after %.0f ms)\n",
                w, wc, bench::median(listMs), bench::median(settledMs));
    const auto verdict = [](double ratio) {
        return ratio <= 1.1 ? "within 10%" : "MORE THAN 10% SLOWER";
    };
    std::printf("window / zevo-run: wall %.3f (%s), cpu %.3f (%s); on a busy machine compare cpu\n",
                w / r, verdict(w / r), wc / rc, verdict(wc / rc));
    std::printf("Abbrechen to every thread ended: %.1f ms (median), %.1f ms (worst)\n",
                bench::median(cancelMs), *std::max_element(cancelMs.begin(), cancelMs.end()));
    return 0;
}
