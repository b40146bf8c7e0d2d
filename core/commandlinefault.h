#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What QCommandLineParser refused in a command line, found again by reading
// the arguments against the same options, so that both programs word their
// German messages from the parser's own rules, never from its English text.
struct CommandLineFault {
    enum class Kind { UnknownOption, MissingValue, UnexpectedValue };
    Kind kind;
    QString option; // as typed, without a value: "--max-steps", "-x", "-style"
};

// The first fault in arguments (without the program's name), read as the
// parser reads them in the given mode; none when there is none.
std::optional<CommandLineFault>
findCommandLineFault(const QStringList& arguments, const QList<QCommandLineOption>& options,
                     QCommandLineParser::SingleDashWordOptionMode mode);

// "Unbekannte Option '-x'", "Option --max-steps verlangt einen Wert",
// "Option --version nimmt keinen Wert".
QString commandLineFaultMessage(const CommandLineFault& fault);
