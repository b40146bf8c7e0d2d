#include "pruefencommandline.h"

#include "nativename.h"
#include "programnames.h"

PruefenFiles splitPruefenFiles(const QStringList& files) {
    PruefenFiles result;
    for (const QString& file : files) {
        if (!isTaskFileName(file)) {
            result.programs << file;
        } else if (result.task.isEmpty()) {
            result.task = file;
        } else {
            result.error = QStringLiteral("Mehr als eine Aufgabendatei angegeben: %1, %2")
                               .arg(messageText(result.task), messageText(file));
            break;
        }
    }
    return result;
}

QString pruefenHelpText() {
    return QStringLiteral(
        "Aufruf: zevo-pruefen [--zoom FAKTOR] [--] [AUFGABE.aufgabe] [PROGRAMM.rmp | ORDNER]...\n"
        "Zevo – Aufgaben prüfen: prüft Registermaschinenprogramme in einem Fenster\n"
        "gegen die Fälle einer Aufgabendatei, wie zevo-run --aufgabe.\n"
        "\n"
        "AUFGABE: eine Aufgabendatei (.aufgabe); mit ihr und Programmen wird sofort\n"
        "geprüft. ORDNER: jedes Programm (.rmp) im Ordner, ohne Unterordner.\n"
        "Ändert sich eine Programmdatei der Liste, wird sie sofort neu geprüft.\n"
        "\n"
        "Optionen:\n"
        "  --zoom FAKTOR  Fenster, Schrift und Bilder FAKTOR-mal so groß darstellen,\n"
        "                 FAKTOR von 1 bis 4, auch mit Nachkommastelle (1,5)\n"
        "  -h, --help     diese Hilfe anzeigen und beenden\n"
        "  --version      die Version anzeigen und beenden\n"
        "  --             beendet die Optionen; was folgt, sind Dateinamen\n"
        "\n"
        "Rückgabewert: 0, oder 2 bei einem falschen Aufruf.\n"
        "Anleitung: man zevo-pruefen\n");
}
