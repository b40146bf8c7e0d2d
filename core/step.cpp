#include "step.h"

#include "linehighlighter.h"
#include "programline.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"
#include "windowrun.h"

namespace {
// The highlight as the window follows a run: only when the setting says so.
struct Highlight final : RunObserver {
    explicit Highlight(const Machine& machine) : machine(machine) {}
    void lineReached(qint32 line) override {
        if (machine.highlighter && machine.settings.highlightCurrentLine())
            machine.highlighter->HighlightLine(line);
    }
    void stepCountChanged(qint32) override {}
    const Machine& machine;
};
} // namespace

QString stepResultMessage(StepResult result) {
    switch (result) {
    case Step::Ended: return QStringLiteral("Programm wurde erfolgreich ausgeführt!");
    case Step::DivisionByZero: return QStringLiteral("Division durch Null, Abbruch!");
    case Step::UnknownTarget: return QStringLiteral("Unbekanntes Sprungziel, Abbruch!");
    case Step::UnknownInstruction: return QStringLiteral("Unbekannter Befehl, Abbruch!");
    case Step::InvalidRegister: return QStringLiteral("Ungültige Registernummer, Abbruch!");
    case Step::InvalidLabel: return QStringLiteral("Ungültige Zeilennummer, Abbruch!");
    case Step::Overflow: return QStringLiteral("Akkumulatorüberlauf, Abbruch!");
    default: return QString();
    }
}

int stepResultHelpTopic(StepResult result) {
    switch (result) {
    case Step::DivisionByZero: return 1;
    case Step::UnknownTarget: return 2;
    case Step::UnknownInstruction: return 3;
    case Step::InvalidRegister: return 4;
    case Step::InvalidLabel: return 7;
    case Step::Overflow: return 8;
    default: return 0;
    }
}

StepResult ExecuteLine(Machine& machine, qint32& CurrentLine) {
    Highlight highlight(machine);
    WindowRun run = makeWindowRun(machine.program, machine.registers, machine.settings, &highlight);
    run.CurrentLine = CurrentLine;
    const StepResult r = run.ExecuteLine();
    CurrentLine = run.CurrentLine;
    return r;
}
