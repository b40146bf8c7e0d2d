#include "runneroptions.h"

#include "syntax.h"

#include <QRegularExpression>
#include <limits>

namespace {

// Plain decimal digits only: a command line is no place for "$1F" or " 12".
std::optional<qint64> digitsValue(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

qint32 numberInRange(const QString& option, const QString& text, qint64 low, qint64 high) {
    const auto value = digitsValue(text);
    if (!value || *value < low || *value > high)
        throw UsageError(QStringLiteral("Ungültiger Wert für %1: '%2' (erlaubt: %3 bis %4)")
                             .arg(option, text)
                             .arg(low)
                             .arg(high));
    return qint32(*value);
}

QPair<qint32, QString> registerAssignment(const QString& text) {
    const qsizetype eq = text.indexOf(u'=');
    const QString number = eq < 0 ? text : text.left(eq);
    const auto n = digitsValue(number);
    if (eq < 0 || !n || !IsValidRegister(*n))
        throw UsageError(
            QStringLiteral("Ungültige Registerangabe '%1' (erwartet: N=TEXT mit N von 0 bis 50)")
                .arg(text));
    return {qint32(*n), text.mid(eq + 1)};
}

ProtocolSpacing spacingFrom(const QString& text) {
    if (text == QStringLiteral("klein"))
        return ProtocolSpacing::Klein;
    if (text == QStringLiteral("groß") || text == QStringLiteral("gross"))
        return ProtocolSpacing::Gross;
    throw UsageError(
        QStringLiteral("Ungültiger Wert für --spacing: '%1' (erlaubt: klein, groß)").arg(text));
}

} // namespace

RunnerOptions parseRunnerOptions(const QStringList& arguments) {
    RunnerOptions options;
    QStringList files;
    bool optionsEnded = false;
    QString runOption; // the first option that only a single run takes

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || arg == u"-" || !arg.startsWith(u'-')) {
            files << arg;
            continue;
        }
        if (arg == u"--") {
            optionsEnded = true;
            continue;
        }
        if (arg == u"-h" || arg == u"--help") {
            options.help = true;
            continue;
        }
        if (arg == u"--no-protocol") {
            options.protocol = false;
            runOption = runOption.isEmpty() ? arg : runOption;
            continue;
        }

        // Options with a value: "-r VALUE", "-rVALUE", "--name VALUE", "--name=VALUE".
        QString name = arg;
        std::optional<QString> value;
        if (arg.startsWith(u"--")) {
            const qsizetype eq = arg.indexOf(u'=');
            if (eq > 0) {
                name = arg.left(eq);
                value = arg.mid(eq + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.left(2);
            value = arg.mid(2);
        }
        static const QStringList withValue{
            "-r",          "--register", "--max-steps", "--protocol-kind", "--last-register",
            "--spacing",   "--aufgabe",  "--csv",       "--json"};
        if (!withValue.contains(name))
            throw UsageError(QStringLiteral("Unbekannte Option '%1'").arg(arg));
        if (!value) {
            if (i + 1 >= arguments.size())
                throw UsageError(QStringLiteral("Option %1 verlangt einen Wert").arg(name));
            value = arguments[++i];
        }

        if (name == u"--aufgabe") {
            options.taskFile = *value;
            continue;
        }
        if (name == u"--csv" || name == u"--json") {
            (name == u"--csv" ? options.csvFile : options.jsonFile) = *value;
            continue;
        }
        runOption = runOption.isEmpty() ? name : runOption;
        if (name == u"-r" || name == u"--register")
            options.registers << registerAssignment(*value);
        else if (name == u"--max-steps")
            options.maxSteps = numberInRange(name, *value, 1, std::numeric_limits<qint32>::max());
        else if (name == u"--protocol-kind")
            options.settings.Kind = numberInRange(name, *value, 0, 1) == 1
                                        ? ProtocolKind::RegistersAndInstruction
                                        : ProtocolKind::RegistersOnly;
        else if (name == u"--last-register")
            options.settings.LastRegister = numberInRange(name, *value, 0, RegisterCount - 1);
        else
            options.settings.Spacing = spacingFrom(*value);
    }

    if (options.help)
        return options;
    if (files.isEmpty())
        throw UsageError(QStringLiteral("Keine Programmdatei angegeben"));
    if (options.taskFile) {
        if (!runOption.isEmpty())
            throw UsageError(
                QStringLiteral("Option %1 ist mit --aufgabe nicht möglich").arg(runOption));
        options.programFiles = files;
        return options;
    }
    if (options.csvFile || options.jsonFile)
        throw UsageError(QStringLiteral("Option %1 nur mit --aufgabe möglich")
                             .arg(options.csvFile ? QStringLiteral("--csv") : QStringLiteral("--json")));
    if (files.size() > 1)
        throw UsageError(QStringLiteral("Mehr als eine Programmdatei angegeben: %1")
                             .arg(files.join(QStringLiteral(", "))));
    options.programFile = files.front();
    return options;
}

QString runnerHelpText() {
    return QStringLiteral(
        "Aufruf: zevo-run [Optionen] PROGRAMM.rmp\n"
        "        zevo-run --aufgabe AUFGABE [--csv DATEI] [--json DATEI] PROGRAMM.rmp...\n"
        "\n"
        "Führt ein Registermaschinenprogramm ohne Fenster aus: Zurücksetzen, dann\n"
        "Schritt für Schritt ohne Wartezeit bis zum Befehl \"end\", bis zu einem\n"
        "Laufzeitfehler oder bis zum Schrittlimit. Die Datei wird wie mit \"Öffnen...\"\n"
        "gelesen (Windows-1252); jede Zeile der Datei ist eine Programmzeile.\n"
        "\n"
        "Optionen:\n"
        "  -r, --register N=TEXT  Inhalt von Register N (0 bis 50) vor dem Lauf;\n"
        "                         mehrfach möglich, gelesen wie ein eingegebener Wert\n"
        "      --max-steps N      höchstens N Schritte ausführen (Vorgabe: 1000000)\n"
        "      --protocol-kind K  0 = Registerprotokoll (Vorgabe),\n"
        "                         1 = Register- und Befehlsprotokoll\n"
        "      --last-register N  letztes Register im Protokoll, 0 bis 50 (Vorgabe: 10)\n"
        "      --spacing A        Abstand im Protokoll: klein (Vorgabe) oder groß\n"
        "                         (auch: gross)\n"
        "      --no-protocol      kein Protokoll; die Standardausgabe enthält nur die\n"
        "                         Registerzeile des Endzustands\n"
        "  -h, --help             diese Hilfe anzeigen\n"
        "\n"
        "Bewerten:\n"
        "      --aufgabe DATEI    jedes Programm mit jedem Fall der Aufgabendatei\n"
        "                         ausführen; je Programm eine Zeile: bestandene Fälle,\n"
        "                         Schritte, der erste nicht bestandene Fall\n"
        "      --csv DATEI        dazu eine Tabelle, eine Zeile je Programm und Fall,\n"
        "                         für Tabellenkalkulationen (Semikolon, UTF-8)\n"
        "      --json DATEI       dieselbe Tabelle als JSON\n"
        "  Nicht zusammen mit -r, --max-steps, --no-protocol und den Protokolloptionen.\n"
        "\n"
        "Aufgabendatei (UTF-8), je Zeile eine Angabe, \"#\" beginnt einen Kommentar:\n"
        "  Titel: Multiplikation      Titel für den Bericht (optional)\n"
        "  Schrittlimit: 100000       Schritte je Fall (Vorgabe: 1000000)\n"
        "  R1=3 R2=4 -> R3=12         ein Fall: Register vor dem Lauf, dann die\n"
        "                             erwarteten Register nach \"end\"\n"
        "  R1=5 R2=0 -> \"Division durch Null, Abbruch!\"\n"
        "                             ein Fall, der mit dieser Meldung enden muss\n"
        "  Register R0 bis R50; nicht genannte Register enthalten vor dem Lauf 0.\n"
        "\n"
        "Ausgabe (UTF-8):\n"
        "  Standardausgabe: das Protokoll, wie es das Protokollfenster nach\n"
        "  \"Zurücksetzen\" und \"Start\" enthält, eine Zeile je Protokollzeile.\n"
        "  Standardfehler, letzte zwei Zeilen: die Abschlussmeldung und \"Schritte: N\".\n"
        "\n"
        "Rückgabewert:\n"
        "  0    Programm mit \"end\" beendet\n"
        "  1    Schrittlimit erreicht\n"
        "  2    Aufruffehler, Datei nicht lesbar, erste Programmzeile leer oder\n"
        "       Registerinhalt ist keine ganze Zahl\n"
        "  3-8  Laufzeitfehler: 3 Division durch Null, 4 Unbekanntes Sprungziel,\n"
        "       5 Unbekannter Befehl, 6 Ungültige Registernummer,\n"
        "       7 Ungültige Zeilennummer, 8 Akkumulatorüberlauf\n"
        "  Mit --aufgabe: 0 alle Fälle aller Programme bestanden, 1 sonst,\n"
        "  2 Aufruffehler, fehlerhafte Aufgabendatei oder Tabelle nicht schreibbar\n");
}
