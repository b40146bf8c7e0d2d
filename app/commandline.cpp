#include "commandline.h"

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

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
        const QString& arg = arguments[i];
        if (arg == u"--help" || arg == u"-h") {
            line.help = true;
        } else if (arg == u"--version") {
            line.version = true;
        } else if (arg == u"--zoom" || arg.startsWith(u"--zoom=")) {
            QString text;
            if (arg.startsWith(u"--zoom=")) {
                text = arg.mid(7);
            } else if (i + 1 < arguments.size()) {
                text = arguments[++i];
            } else {
                line.error = QStringLiteral("Bei --zoom fehlt der Faktor (erlaubt: 1 bis 4)");
                break;
            }
            line.zoom = zoomValue(text);
            if (!line.zoom)
                line.error = badZoom(text);
        }
    }
    return line;
}

QString commandLineHelpText() {
    return QStringLiteral(
        "Aufruf: zevo [--zoom FAKTOR]\n"
        "Zevo, Simulator einer Registermaschine für den Unterricht.\n"
        "\n"
        "Optionen:\n"
        "  --zoom FAKTOR  Fenster, Schrift und Bilder FAKTOR-mal so groß darstellen,\n"
        "                 FAKTOR von 1 bis 4, auch mit Nachkommastelle (1,5);\n"
        "                 2 ist die große Darstellung für den Beamer\n"
        "  -h, --help     diese Hilfe anzeigen und beenden\n"
        "  --version      die Version anzeigen und beenden\n"
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
