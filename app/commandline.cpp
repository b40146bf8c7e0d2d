#include "commandline.h"

#include "commandlinefault.h"
#include "zevoversion.h"
#include "integertext.h"
#include "registerassignment.h"

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
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> options;
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
        options << option;
    }
    for (const char* name : switches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options << option;
    }
    return options;
}

// German messages in zevo-run's words, from the parser's own rules.
QString germanError(const QStringList& arguments, const QList<QCommandLineOption>& options) {
    const auto fault =
        findCommandLineFault(arguments, options, QCommandLineParser::ParseAsLongOptions);
    if (!fault)
        return QStringLiteral("Ungültiger Aufruf");
    if (fault->kind == CommandLineFault::Kind::MissingValue && fault->option.endsWith(u"zoom"))
        return QStringLiteral("Bei --zoom fehlt der Faktor (erlaubt: 1 bis 4)");
    return commandLineFaultMessage(*fault);
}

} // namespace

namespace {

// The options both windowed programs share (--zoom, -h/--help, --version and
// Qt's own), with extra ones of the caller's, into line. False, with
// line.error set, when the line cannot be followed.
bool parseWindowOptions(QCommandLineParser& parser, const QStringList& arguments,
                        const QList<QCommandLineOption>& extra, WindowCommandLine& line) {
    // "-platform" is one option, as Qt reads it, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption zoom(QStringLiteral("zoom"), QString(), QStringLiteral("FAKTOR"));
    const QList<QCommandLineOption> options =
        QList<QCommandLineOption>{help, version, zoom} + extra + qtOptions();
    parser.addOptions(options);
    // parse() skips the first entry as the program's name.
    if (!parser.parse(QStringList{QStringLiteral("zevo")} + arguments)) {
        line.error = germanError(arguments, options);
        return false;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (parser.isSet(zoom)) {
        const QString text = parser.value(zoom);
        line.zoom = zoomValue(text);
        if (!line.zoom) {
            line.error = badZoom(text);
            return false;
        }
    }
    line.files = parser.positionalArguments();
    return true;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption registerOption(QStringList{QStringLiteral("r"), QStringLiteral("register")},
                                            QString(), QStringLiteral("N=WERT"));
    WindowCommandLine common;
    const bool parsed = parseWindowOptions(parser, arguments, {registerOption}, common);
    CommandLine line;
    line.help = common.help;
    line.version = common.version;
    line.zoom = common.zoom;
    line.error = common.error;
    if (!parsed)
        return line;
    for (const QString& text : parser.values(registerOption)) {
        const auto assignment = parseRegisterAssignment(text);
        const std::optional<qint32> value =
            assignment ? tryParseInteger(assignment->second) : std::nullopt;
        if (!value) {
            line.error = QStringLiteral("Ungültige Registerangabe '%1' (erwartet: N=WERT mit N von "
                                        "0 bis 50 und einer ganzen Zahl)")
                             .arg(text);
            return line;
        }
        line.registers.append({assignment->first, *value});
    }
    const QStringList& files = common.files;
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
        "Aufruf: zevo [--zoom FAKTOR] [-r N=WERT]... [--] [DATEI]\n"
        "Zevo, Simulator einer Registermaschine für den Unterricht.\n"
        "\n"
        "DATEI: ein Registermaschinenprogramm (.rmp), das Zevo beim Start öffnet\n"
        "wie mit \"Öffnen...\".\n"
        "\n"
        "Optionen:\n"
        "  --zoom FAKTOR  Fenster, Schrift und Bilder FAKTOR-mal so groß darstellen,\n"
        "                 FAKTOR von 1 bis 4, auch mit Nachkommastelle (1,5);\n"
        "                 2 ist die große Darstellung für den Beamer\n"
        "  -r, --register N=WERT\n"
        "                 Register N (0 bis 50) zeigt beim Start WERT statt 0;\n"
        "                 mehrfach möglich, WERT eine ganze Zahl wie im Register\n"
        "                 (12, -3, $1F); mit DATEI ist das Programm danach\n"
        "                 zurückgesetzt und bereit für den ersten Schritt\n"
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
    WindowCommandLine line;
    parseWindowOptions(parser, arguments, {}, line);
    return line;
}
