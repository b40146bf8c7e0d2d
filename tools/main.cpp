// zevo-run: runs one register-machine program without a window, for scripts
// and for grading many programs at once. See runnerHelpText() for the usage.

#include "batchrun.h"
#include "gradingreport.h"
#include "gradingworkbook.h"
#include "linelist.h"
#include "nativename.h"
#include "numericregisters.h"
#include "platformconsole.h"
#include "programlist.h"
#include "programload.h"
#include "runneroptions.h"
#include "taskfile.h"
#include "utf8output.h"
#include "zevoerror.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

// Every message on one line as it is meant: a name in it cannot break the
// line or steer the terminal, and a NUL cannot cut it.
void printTo(std::FILE* stream, const QString& text) {
    const QByteArray line = messageText(text).toUtf8() + '\n';
    PlatformConsole::writeUtf8(stream, line.constData(), std::size_t(line.size()));
}

void printError(const QString& text) {
    printTo(stderr, text);
}

// The two lines scripts read: the final message and the counter.
int finish(const QString& message, qint32 steps, int status) {
    printError(message);
    printError(QStringLiteral("Schritte: %1").arg(steps));
    return status;
}

int runProgram(const RunnerOptions& options) {
    QStringList lines;
    try {
        lines = loadProgramLines(options.programFile);
    } catch (const ZevoError& e) {
        return finish(withFullStop(e.message()), 0, 2);
    }
    const LineList program(std::move(lines));

    NumericRegisters registers;
    for (const auto& [n, text] : options.registers)
        registers.setText(n, text);

    Utf8Output out(stdout);
    BatchRun run(program, registers, options.settings);
    const RunOutcome outcome = run.run(
        options.maxSteps,
        options.protocol ? BatchRun::Output::Protocol : BatchRun::Output::FinalRegisterLine, out);
    if (!out.flush())
        return finish(QStringLiteral("Stream-Schreibfehler."), outcome.stepCount, 2);
    return finish(outcome.message, outcome.stepCount, outcome.exitStatus);
}

// A line of the report, whose names its functions have already made visible.
void printLine(const QString& text) {
    const QByteArray line = text.toUtf8() + '\n';
    PlatformConsole::writeUtf8(stdout, line.constData(), std::size_t(line.size()));
    // A teacher watching a long grading sees each program as it is done.
    std::fflush(stdout);
}

int gradeAll(const RunnerOptions& options) {
    Task task;
    try {
        task = loadTask(*options.taskFile);
    } catch (const ZevoError& e) {
        printError(QStringLiteral("zevo-run: ") + e.message());
        return 2;
    }
    printLine(taskHeading(task, *options.taskFile));
    const ProgramList programs = withoutRepeats(options.programFiles);
    for (const QString& repeated : programs.repeated)
        printError(QStringLiteral("zevo-run: Programm %1 ist mehrfach angegeben und wird einmal "
                                  "bewertet").arg(repeated));
    QList<ProgramGrade> grades;
    try {
        grades = gradePrograms(task, programs.programs, [&](const ProgramGrade& grade) {
            printLine(programReportLine(task, grade));
        });
    } catch (const std::exception&) {
        // Only the system can fail here (no thread, no memory); its English
        // text would be the one message not in German.
        printError(QStringLiteral("zevo-run: Das Bewerten ist fehlgeschlagen (zu wenig "
                                  "Speicher oder keine Threads verfügbar)."));
        return 2;
    }
    const qsizetype allPassed = std::count_if(grades.begin(), grades.end(), [](const auto& g) {
        return g.passedCount() == g.cases.size();
    });
    printLine(summaryLine(allPassed, grades.size()));

    int status = allPassed == grades.size() ? 0 : 1;
    const auto written = [&](const QString& file, bool ok) {
        if (!ok) {
            printError(QStringLiteral("zevo-run: Datei %1 kann nicht geschrieben werden.").arg(file));
            status = 2;
        }
    };
    if (options.csvFile)
        written(*options.csvFile, writeFileChecked(*options.csvFile, csvTable(task, grades)));
    if (options.jsonFile)
        written(*options.jsonFile, writeFileChecked(*options.jsonFile, jsonTable(task, grades)));
    if (options.xlsxFile)
        written(*options.xlsxFile, writeGradingWorkbook(*options.xlsxFile, task, grades));
    if (std::ferror(stdout)) {
        printError(QStringLiteral("zevo-run: Stream-Schreibfehler."));
        return 2;
    }
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    // The protocol's bytes reach a file or pipe as they are, LF and all.
    PlatformConsole::useBinaryStandardStreams();
    const QStringList arguments = programArguments(argc, argv);

    RunnerOptions options;
    try {
        options = parseRunnerOptions(arguments);
        options.programFiles = PlatformConsole::expandProgramNames(options.programFiles);
        if (options.taskFile && !options.help)
            checkTableFiles(options);
    } catch (const ZevoError& e) {
        printError(QStringLiteral("zevo-run: ") + e.message());
        printError(QStringLiteral("Hilfe: zevo-run --help"));
        return 2;
    }
    if (options.help) {
        const QByteArray help = runnerHelpText().toUtf8();
        PlatformConsole::writeUtf8(stdout, help.constData(), std::size_t(help.size()));
        return 0;
    }
    return options.taskFile ? gradeAll(options) : runProgram(options);
}
