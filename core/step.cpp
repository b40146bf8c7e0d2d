#include "step.h"

#include "linehighlighter.h"
#include "programline.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"
#include "stepcore.h"

namespace {
// The window's registers: texts in the grid, converted on every read.
struct AccessRegisters {
    RegisterAccess& access;
    qint32 read(qint32 n) const { return access.ReadRegister(n); }
    void write(qint32 n, qint32 value) { access.WriteRegister(n, value); }
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
    const TextLine line(machine.program, CurrentLine);
    qint32 next = CurrentLine;
    AccessRegisters registers{machine.registers};
    const StepResult r = stepcore::execute(line, registers, machine.program.lineCount(), next);
    if (r != Step::Continue)
        return r;
    if (machine.highlighter && machine.settings.highlightCurrentLine())
        machine.highlighter->HighlightLine(next);
    CurrentLine = next;
    return Step::Continue;
}
