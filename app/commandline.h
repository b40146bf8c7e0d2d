#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What zevo's own options ask for. Everything else on the command line is left
// to Qt (-platform, -style, ...), as before these options existed.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::optional<double> zoom; // 1 to 4; absent: Qt's usual size
    QString error;              // German, for standard error; empty when the line is fine
};

// arguments without the program name.
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineHelpText();
QString versionText();
