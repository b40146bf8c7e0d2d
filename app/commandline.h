#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// What zevo's command line asks for. Qt's own options (-platform, -style, ...)
// pass untouched to QApplication; any other option is refused.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::optional<double> zoom; // 1 to 4; absent: Qt's usual size
    QString file;               // the program to open at start-up; empty: none
    // -r N=WERT: register values the grid shows at start-up, in the order
    // given (a later one for the same register wins).
    QList<QPair<qint32, qint32>> registers;
    QString error;              // German, for standard error; empty when the line is fine
};

// arguments without the program name.
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineHelpText();
QString versionText();

// The command line of Zevo's other windowed programs (zevo-pruefen): the same
// --zoom, -h/--help, --version and Qt's own options as zevo's, with any
// number of files.
struct WindowCommandLine {
    bool help = false;
    bool version = false;
    std::optional<double> zoom;
    QStringList files;
    QString error; // German, for standard error; empty when the line is fine
};
WindowCommandLine parseWindowCommandLine(const QStringList& arguments);
