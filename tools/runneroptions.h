#pragma once

#include "settings.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A command line the runner cannot follow; the message is German.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

struct RunnerOptions {
    bool help = false;
    QString programFile;
    QList<QPair<qint32, QString>> registers; // in the order given; later ones win
    qint32 maxSteps = 1000000;
    bool protocol = true;
    PlainSettings settings; // only the three protocol settings are read

    // Grading (--aufgabe): every program against the task file's cases.
    std::optional<QString> taskFile;
    QStringList programFiles;
    std::optional<QString> csvFile;
    std::optional<QString> jsonFile;
};

// Parses the arguments after the program name. Throws UsageError.
RunnerOptions parseRunnerOptions(const QStringList& arguments);

QString runnerHelpText();
