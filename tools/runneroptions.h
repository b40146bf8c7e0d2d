#pragma once

#include "run.h"
#include "settings.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

struct RunnerOptions {
    bool help = false;
    QString programFile;
    QList<QPair<qint32, QString>> registers; // in the order given; later ones win
    qint32 maxSteps = DefaultStepLimit;
    bool protocol = true;
    PlainSettings settings; // only the three protocol settings are read

    // Grading (--aufgabe): every program against the task file's cases.
    std::optional<QString> taskFile;
    QStringList programFiles;
    std::optional<QString> csvFile;
    std::optional<QString> jsonFile;
    std::optional<QString> xlsxFile;
};

// Parses the arguments after the program name. A command line the runner
// cannot follow throws ZevoError with the German message naming the argument.
RunnerOptions parseRunnerOptions(const QStringList& arguments);

// Refuses table files that would overwrite what grading reads or the other
// table: the task file, a program, the same file twice (compared by the file
// itself where it exists), or a name ending in ".rmp" or ".aufgabe". Throws
// ZevoError; nothing has been written then.
void checkTableFiles(const RunnerOptions& options);

QString runnerHelpText();
