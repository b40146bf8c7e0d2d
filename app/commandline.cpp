#include "commandline.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

constexpr double MinZoom = 1.0;
constexpr double MaxZoom = 4.0;

// "2", "1.5" or, as German users write it, "1,5".
std::optional<double> zoomValue(QString text) {
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,2}([.,][0-9]{1,3})?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const double value = text.replace(u',', u'.').toDouble();
    if (value < MinZoom || value > MaxZoom)
        return std::nullopt;
    return value;
}

QString badZoom(const QString& text) {
    return QStringLiteral("Ungültiger Wert für --zoom: '%1' (erlaubt: 1 bis 4)").arg(text);
}

// Qt's own options (QGuiApplication and QApplication take them out of argv
// later); accepted here so that "zevo -platform offscreen" and "-style" keep
// working, but not offered in the help.
void addQtOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {"platform",        "platformpluginpath",
                                     "platformtheme",   "plugin",
                                     "qwindowgeometry", "geometry",
                                     "qwindowtitle",    "title",
                                     "qwindowicon",     "icon",
                                     "display",         "name",
                                     "session",         "style",
                                     "stylesheet"};
    const char* const switches[] = {"reverse", "widgetcount"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("WERT"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : switches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The argument as the user typed it for an option the parser did not know:
// "-x=1" rather than the bare name "x".
QString typedOption(const QStringList& arguments, const QString& name) {
    for (const QString& arg : arguments) {
        if (arg == u"--")
            break;
        if (!arg.startsWith(u'-'))
            continue;
        const QString bare = arg.section(u'=', 0, 0);
        const QString dashes = bare.startsWith(u"--") ? QStringLiteral("--") : QStringLiteral("-");
        if (bare.mid(dashes.size()) == name)
            return dashes + name;
    }
    return QStringLiteral("--") + name;
}

// QCommandLineParser's few messages are English, and no translator exists
// before QApplication; these are the German ones, in zevo-run's words.
QString germanError(const QCommandLineParser& parser, const QStringList& arguments) {
    static const QRegularExpression valueError(
        QStringLiteral("^(Missing|Unexpected) value after '(.*)'\\.$"));
    const QRegularExpressionMatch match = valueError.match(parser.errorText());
    if (match.hasMatch()) {
        const QString option = match.captured(2);
        if (match.captured(1) == u"Unexpected")
            return QStringLiteral("Option %1 nimmt keinen Wert").arg(option);
        if (option.endsWith(u"zoom"))
            return QStringLiteral("Bei --zoom fehlt der Faktor (erlaubt: 1 bis 4)");
        return QStringLiteral("Option %1 verlangt einen Wert").arg(option);
    }
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("Unbekannte Option '%1'")
            .arg(typedOption(arguments, unknown.first()));
    return QStringLiteral("Ungültiger Aufruf");
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-platform" is one option, as Qt reads it, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption zoom(QStringLiteral("zoom"), QString(), QStringLiteral("FAKTOR"));
    parser.addOptions({help, version, zoom});
    addQtOptions(parser);

    CommandLine line;
    // parse() skips the first entry as the program's name.
    if (!parser.parse(QStringList{QStringLiteral("zevo")} + arguments)) {
        line.error = germanError(parser, arguments);
        return line;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (parser.isSet(zoom)) {
        const QString text = parser.value(zoom);
        line.zoom = zoomValue(text);
        if (!line.zoom) {
            line.error = badZoom(text);
            return line;
        }
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        line.error = QStringLiteral("Mehr als eine Programmdatei angegeben: %1")
                         .arg(files.join(QStringLiteral(", ")));
        return line;
    }
    if (!files.isEmpty())
        line.file = files.first();
    return line;
}

QString commandLineHelpText() {
    return QStringLiteral(
        "Aufruf: zevo [--zoom FAKTOR] [--] [DATEI]\n"
        "Zevo, Simulator einer Registermaschine für den Unterricht.\n"
        "\n"
        "DATEI: ein Registermaschinenprogramm (.rmp), das Zevo beim Start öffnet\n"
        "wie mit \"Öffnen...\".\n"
        "\n"
        "Optionen:\n"
        "  --zoom FAKTOR  Fenster, Schrift und Bilder FAKTOR-mal so groß darstellen,\n"
        "                 FAKTOR von 1 bis 4, auch mit Nachkommastelle (1,5);\n"
        "                 2 ist die große Darstellung für den Beamer\n"
        "  -h, --help     diese Hilfe anzeigen und beenden\n"
        "  --version      die Version anzeigen und beenden\n"
        "  --             beendet die Optionen; was folgt, ist der Dateiname\n"
        "\n"
        "Ohne Option startet Zevo in der gewohnten Größe. Programme ohne Fenster\n"
        "führt zevo-run aus (zevo-run --help).\n"
        "\n"
        "Rückgabewert: 0, oder 2 bei einem falschen Aufruf.\n"
        "Anleitung: man zevo\n");
}

QString versionText() {
    return QStringLiteral("Zevo " ZEVO_VERSION "\n");
}

WindowCommandLine parseWindowCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption zoom(QStringLiteral("zoom"), QString(), QStringLiteral("FAKTOR"));
    parser.addOptions({help, version, zoom});
    addQtOptions(parser);

    WindowCommandLine line;
    if (!parser.parse(QStringList{QStringLiteral("zevo")} + arguments)) {
        line.error = germanError(parser, arguments);
        return line;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (parser.isSet(zoom)) {
        const QString text = parser.value(zoom);
        line.zoom = zoomValue(text);
        if (!line.zoom)
            line.error = badZoom(text);
    }
    line.files = parser.positionalArguments();
    return line;
}
