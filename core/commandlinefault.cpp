#include "commandlinefault.h"

namespace {

const QCommandLineOption* optionNamed(const QList<QCommandLineOption>& options, const QString& name) {
    for (const QCommandLineOption& option : options)
        if (option.names().contains(name))
            return &option;
    return nullptr;
}

bool takesValue(const QCommandLineOption& option) { return !option.valueName().isEmpty(); }

} // namespace

std::optional<CommandLineFault>
findCommandLineFault(const QStringList& arguments, const QList<QCommandLineOption>& options,
                     QCommandLineParser::SingleDashWordOptionMode mode) {
    using Kind = CommandLineFault::Kind;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == u"--")
            break;
        if (arg.size() < 2 || arg.front() != u'-')
            continue;
        const bool longForm =
            arg.startsWith(u"--") || mode == QCommandLineParser::ParseAsLongOptions;
        if (longForm) {
            const qsizetype dashes = arg.startsWith(u"--") ? 2 : 1;
            const QString name = arg.mid(dashes).section(u'=', 0, 0);
            const QString typed = arg.left(dashes) + name;
            const bool inlineValue = arg.indexOf(u'=') >= 0;
            const QCommandLineOption* option = optionNamed(options, name);
            if (!option)
                return CommandLineFault{Kind::UnknownOption, typed};
            if (!takesValue(*option) && inlineValue)
                return CommandLineFault{Kind::UnexpectedValue, typed};
            if (takesValue(*option) && !inlineValue && ++i >= arguments.size())
                return CommandLineFault{Kind::MissingValue, typed};
            continue;
        }
        // Compacted short options: "-hr 5=1", "-r5=1"; a value takes the rest.
        for (qsizetype k = 1; k < arg.size(); ++k) {
            const QString name = arg.mid(k, 1);
            const QCommandLineOption* option = optionNamed(options, name);
            if (!option)
                return CommandLineFault{Kind::UnknownOption, u'-' + name};
            if (!takesValue(*option))
                continue;
            if (k + 1 == arg.size() && ++i >= arguments.size())
                return CommandLineFault{Kind::MissingValue, u'-' + name};
            break;
        }
    }
    return std::nullopt;
}

QString commandLineFaultMessage(const CommandLineFault& fault) {
    switch (fault.kind) {
    case CommandLineFault::Kind::UnknownOption:
        return QStringLiteral("Unbekannte Option '%1'").arg(fault.option);
    case CommandLineFault::Kind::MissingValue:
        return QStringLiteral("Option %1 verlangt einen Wert").arg(fault.option);
    case CommandLineFault::Kind::UnexpectedValue:
        return QStringLiteral("Option %1 nimmt keinen Wert").arg(fault.option);
    }
    return {};
}
