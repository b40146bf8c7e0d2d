#include "runneroptions.h"

#include "commandlinefault.h"
#include "programlist.h"
#include "registerassignment.h"
#include "tablefiles.h"
#include "syntax.h"
#include "zevoerror.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <limits>

namespace {

[[noreturn]] void usage(const QString& message) { throw ZevoError(message); }

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
        usage(QStringLiteral("Ungültiger Wert für %1: '%2' (erlaubt: %3 bis %4)")
                  .arg(option, text)
                  .arg(low)
                  .arg(high));
    return qint32(*value);
}

QPair<qint32, QString> registerAssignment(const QString& text) {
    const auto assignment = parseRegisterAssignment(text);
    if (!assignment)
        usage(QStringLiteral("Ungültige Registerangabe '%1' (erwartet: N=TEXT mit N von 0 bis 50)")
                  .arg(text));
    return *assignment;
}

ProtocolSpacing spacingFrom(const QString& text) {
    if (text == QStringLiteral("klein"))
        return ProtocolSpacing::Klein;
    if (text == QStringLiteral("groß") || text == QStringLiteral("gross"))
        return ProtocolSpacing::Gross;
    usage(QStringLiteral("Ungültiger Wert für --spacing: '%1' (erlaubt: klein, groß)").arg(text));
}

const QStringList TableOptions{"--csv", "--json", "--xlsx"};
// Options of a single run: those taking a value, and all of them.
const QStringList RunValueOptions{
    "-r", "--register", "--max-steps", "--protocol-kind", "--last-register", "--spacing"};
const QStringList RunOptions = RunValueOptions + QStringList{"--no-protocol"};

// Grading reads its few options by hand: before "--" an argument that begins
// with "--" is an option, a misspelt one too; every other argument is a
// program, so that a submission named "-r.rmp" is graded rather than read as -r.
RunnerOptions parseGrading(const QStringList& arguments) {
    RunnerOptions options;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded) {
            options.programFiles << arg;
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
        const QString name = arg.section(u'=', 0, 0);
        std::optional<QString>* target = name == u"--aufgabe" ? &options.taskFile
                                         : name == u"--csv"   ? &options.csvFile
                                         : name == u"--json"  ? &options.jsonFile
                                         : name == u"--xlsx"  ? &options.xlsxFile
                                                              : nullptr;
        if (!target) {
            // "-r" is the runner's option, "-r=1.rmp" a submission's name.
            const QString option = arg.startsWith(u"--") ? name : arg;
            if (RunOptions.contains(option))
                usage(QStringLiteral("Option %1 ist mit --aufgabe nicht möglich").arg(option));
            if (arg.startsWith(u"--"))
                usage(QStringLiteral("Unbekannte Option '%1'").arg(arg));
            options.programFiles << arg;
            continue;
        }
        QString value;
        if (arg.size() > name.size()) {
            value = arg.mid(name.size() + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
            // A forgotten value must not take the next option for a file name.
            if (value.startsWith(u"--"))
                usage(QStringLiteral("Option %1 verlangt einen Wert, nicht die Option %2")
                          .arg(name, value));
        } else {
            usage(QStringLiteral("Option %1 verlangt einen Wert").arg(name));
        }
        if (*target)
            usage(QStringLiteral("Option %1 mehrfach angegeben").arg(name));
        if (value.isEmpty())
            usage(QStringLiteral("Option %1 verlangt einen Dateinamen").arg(name));
        *target = value;
    }
    if (!options.help && options.programFiles.isEmpty())
        usage(QStringLiteral("Keine Programmdatei angegeben"));
    return options;
}

// True when arguments hold --aufgabe as an option, not as another option's value.
bool isGrading(const QStringList& arguments) {
    static const QStringList withValue = RunValueOptions + QStringList{"--aufgabe"} + TableOptions;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == u"--")
            return false;
        if (arg == u"--aufgabe" || arg.startsWith(u"--aufgabe="))
            return true;
        if (withValue.contains(arg))
            ++i;
    }
    return false;
}

RunnerOptions parseSingleRun(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption registerOption(QStringList{"r", "register"}, {}, "N=TEXT");
    const QCommandLineOption maxSteps("max-steps", {}, "N");
    const QCommandLineOption protocolKind("protocol-kind", {}, "K");
    const QCommandLineOption lastRegister("last-register", {}, "N");
    const QCommandLineOption spacing("spacing", {}, "A");
    const QCommandLineOption noProtocol("no-protocol");
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption csv("csv", {}, "DATEI");
    const QCommandLineOption json("json", {}, "DATEI");
    const QCommandLineOption xlsx("xlsx", {}, "DATEI");
    const QList<QCommandLineOption> all{registerOption, maxSteps, protocolKind, lastRegister,
                                        spacing,        noProtocol, help,         csv,
                                        json,           xlsx};
    parser.addOptions(all);
    if (!parser.parse(QStringList{QStringLiteral("zevo-run")} + arguments)) {
        const auto fault = findCommandLineFault(arguments, all,
                                                QCommandLineParser::ParseAsCompactedShortOptions);
        usage(fault ? commandLineFaultMessage(*fault) : QStringLiteral("Ungültiger Aufruf"));
    }

    RunnerOptions options;
    options.help = parser.isSet(help);
    const QStringList found = parser.optionNames();
    for (const QCommandLineOption* single :
         {&maxSteps, &protocolKind, &lastRegister, &spacing, &noProtocol, &csv, &json, &xlsx}) {
        const QString name = single->names().front();
        if (found.count(name) > 1)
            usage(QStringLiteral("Option --%1 mehrfach angegeben").arg(name));
    }
    for (const QCommandLineOption* table : {&csv, &json, &xlsx})
        if (parser.isSet(*table))
            usage(QStringLiteral("Option --%1 nur mit --aufgabe möglich").arg(table->names().front()));

    for (const QString& value : parser.values(registerOption))
        options.registers << registerAssignment(value);
    if (parser.isSet(maxSteps))
        options.maxSteps = numberInRange(QStringLiteral("--max-steps"), parser.value(maxSteps), 1,
                                         std::numeric_limits<qint32>::max());
    if (parser.isSet(protocolKind))
        options.settings.Kind =
            numberInRange(QStringLiteral("--protocol-kind"), parser.value(protocolKind), 0, 1) == 1
                ? ProtocolKind::RegistersAndInstruction
                : ProtocolKind::RegistersOnly;
    if (parser.isSet(lastRegister))
        options.settings.LastRegister = numberInRange(
            QStringLiteral("--last-register"), parser.value(lastRegister), 0, RegisterCount - 1);
    if (parser.isSet(spacing))
        options.settings.Spacing = spacingFrom(parser.value(spacing));
    options.protocol = !parser.isSet(noProtocol);
    if (options.help)
        return options;

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        usage(QStringLiteral("Keine Programmdatei angegeben"));
    if (files.size() > 1)
        usage(QStringLiteral("Mehr als eine Programmdatei angegeben: %1")
                  .arg(files.join(QStringLiteral(", "))));
    options.programFile = files.front();
    return options;
}

} // namespace

RunnerOptions parseRunnerOptions(const QStringList& arguments) {
    return isGrading(arguments) ? parseGrading(arguments) : parseSingleRun(arguments);
}

void checkTableFiles(const RunnerOptions& options) {
    const QList<QPair<TableKind, const std::optional<QString>*>> tables{
        {TableKind::Csv, &options.csvFile},
        {TableKind::Json, &options.jsonFile},
        {TableKind::Workbook, &options.xlsxFile}};
    QStringList programs;
    if (options.taskFile)
        for (const QString& program : options.programFiles)
            programs << fileIdentity(program);
    QList<QPair<QString, QString>> seen; // identity, option of the tables before
    for (const auto& [kind, file] : tables) {
        if (!*file)
            continue;
        const QString& name = **file;
        const QString option = tableOption(kind);
        if (name.endsWith(QStringLiteral(".rmp"), Qt::CaseInsensitive) ||
            name.endsWith(QStringLiteral(".aufgabe"), Qt::CaseInsensitive))
            usage(QStringLiteral("Tabellendatei %1 (%2) darf nicht auf .rmp oder .aufgabe enden")
                      .arg(name, option));
        const QString identity = fileIdentity(name);
        if (options.taskFile && identity == fileIdentity(*options.taskFile))
            usage(QStringLiteral("Tabellendatei %1 (%2) ist die Aufgabendatei").arg(name, option));
        if (programs.contains(identity))
            usage(QStringLiteral("Tabellendatei %1 (%2) ist eine der Programmdateien")
                      .arg(name, option));
        for (const auto& [other, otherOption] : seen)
            if (other == identity)
                usage(QStringLiteral("Tabellendateien %1 und %2 sind dieselbe Datei %3")
                          .arg(otherOption, option, name));
        seen << qMakePair(identity, option);
        if (const std::optional<QString> refusal = tableTargetRefusal(name, kind))
            usage(*refusal);
    }
}

QString runnerHelpText() {
    return QStringLiteral(
        "Aufruf: zevo-run [Optionen] PROGRAMM.rmp\n"
        "        zevo-run --aufgabe AUFGABE [--csv DATEI] [--json DATEI] [--xlsx DATEI]\n"
        "                 [--] PROGRAMM.rmp...\n"
        "\n"
        "Führt ein Registermaschinenprogramm ohne Fenster aus: Zurücksetzen, dann\n"
        "Schritt für Schritt ohne Wartezeit bis zum Befehl \"end\", bis zu einem\n"
        "Laufzeitfehler oder bis zum Schrittlimit. Die Datei wird wie mit \"Öffnen...\"\n"
        "gelesen (Windows-1252); jede Zeile der Datei ist eine Programmzeile.\n"
        "\n"
        "Optionen:\n"
        "  -r, --register N=TEXT  Inhalt von Register N (0 bis 50) vor dem Lauf;\n"
        "                         mehrfach möglich, gelesen wie ein eingegebener Wert\n"
        "      --max-steps N      höchstens N Schritte ausführen (Vorgabe: 1000000);\n"
        "                         gezählt wie der Schrittzähler: das abschließende\n"
        "                         \"end\" zählt nicht, ein Programm, das N Schritte\n"
        "                         zählt, endet auch mit --max-steps N\n"
        "      --protocol-kind K  0 = Registerprotokoll (Vorgabe),\n"
        "                         1 = Register- und Befehlsprotokoll\n"
        "      --last-register N  letztes Register im Protokoll, 0 bis 50 (Vorgabe: 10)\n"
        "      --spacing A        Abstand im Protokoll: klein (Vorgabe) oder groß\n"
        "                         (auch: gross)\n"
        "      --no-protocol      kein Protokoll; die Standardausgabe enthält nur die\n"
        "                         Registerzeile des Endzustands\n"
        "  -h, --help             diese Hilfe anzeigen\n"
        "  --                     Ende der Optionen: jedes weitere Argument ist ein\n"
        "                         Programm, auch wenn es mit \"-\" beginnt\n"
        "\n"
        "Bewerten:\n"
        "      --aufgabe DATEI    jedes Programm mit jedem Fall der Aufgabendatei\n"
        "                         ausführen; je Programm eine Zeile: bestandene Fälle,\n"
        "                         Schritte, der erste nicht bestandene Fall\n"
        "      --csv DATEI        dazu eine Tabelle, eine Zeile je Programm und Fall\n"
        "                         (Semikolon, UTF-8); LibreOffice Calc trennt sie nur,\n"
        "                         wenn man im Importdialog Semikolon und UTF-8 wählt\n"
        "      --json DATEI       dieselbe Tabelle als JSON\n"
        "      --xlsx DATEI       dieselben Zeilen als Arbeitsmappe, die Calc und Excel\n"
        "                         ohne Importdialog öffnen: Blatt \"Ergebnisse\" (Zahlen\n"
        "                         als Zahlen, Kopfzeile fett und fixiert), Blatt\n"
        "                         \"Übersicht\" mit einer Zeile je Programm (Programm,\n"
        "                         Bestandene Fälle, Fälle, Höchstens Schritte)\n"
        "  Nach --aufgabe ist vor \"--\" jedes Argument, das mit \"--\" beginnt, eine\n"
        "  Option (ein Programm mit solchem Namen gehört hinter \"--\"), jedes andere\n"
        "  ein Programm, auch \"-r.rmp\"; -r, --max-steps, --no-protocol und die\n"
        "  Protokolloptionen sind hier ein Aufruffehler. Jede dieser Optionen nur\n"
        "  einmal. Ein zweimal genanntes Programm wird einmal bewertet. Eine\n"
        "  Tabellendatei darf nicht die Aufgabendatei, ein Programm oder eine andere\n"
        "  Tabelle sein, keine symbolische Verknüpfung und keine Endung einer anderen\n"
        "  Dateiart haben (.csv, .json, .xlsx, .txt, .rmp, .aufgabe ...); eine Datei,\n"
        "  die es schon gibt, wird nur ersetzt, wenn sie eine Tabelle derselben Art\n"
        "  ist, die Zevo geschrieben hat. Ein Programm, das keine gewöhnliche Datei\n"
        "  ist (Pipe, Gerät, Ordner), besteht keinen Fall. Steuerzeichen in Namen\n"
        "  erscheinen als \\n, \\t, \\xNN, Bytes, die kein UTF-8 sind, als \\xNN,\n"
        "  ein \\ im Bericht und in den Tabellen als \\\\.\n"
        "\n"
        "Aufgabendatei (UTF-8), je Zeile eine Angabe, \"#\" beginnt einen Kommentar,\n"
        "\"\\#\" steht für ein \"#\" ohne Kommentar:\n"
        "  Titel: Multiplikation      Titel für den Bericht (optional)\n"
        "  Schrittlimit: 100000       Schritte je Fall (Vorgabe: 1000000), gezählt\n"
        "                             wie --max-steps\n"
        "  R1=3 R2=4 -> R3=12         ein Fall: Register vor dem Lauf, dann die\n"
        "                             erwarteten Register nach \"end\"\n"
        "  R1=5 R2=0 -> \"Division durch Null, Abbruch!\"\n"
        "                             ein Fall, der mit dieser Meldung enden muss\n"
        "                             (auch \"Schrittlimit erreicht, Abbruch!\")\n"
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
