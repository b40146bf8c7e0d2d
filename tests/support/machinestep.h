#pragma once

// One step of the window's run at a given line, for tests and fuzz targets
// that drive single steps without a run of their own.

#include "highlightrule.h"
#include "linehighlighter.h"
#include "settings.h"
#include "windowrun.h"

// What one step works on. The highlighter may be null (no editor to mark).
struct Machine {
    const ProgramText& program;
    RegisterAccess& registers;
    const Settings& settings;
    LineHighlighter* highlighter = nullptr;
};

namespace machinestep {
// The highlight by the window's rule, as the window follows a run.
struct Highlight final : RunObserver {
    explicit Highlight(const Machine& machine) : machine(machine) {}
    void lineReached(qint32 line) override {
        if (machine.highlighter)
            highlightIfWanted(machine.settings, line,
                              [this](qint32 n) { machine.highlighter->HighlightLine(n); });
    }
    void stepCountChanged(qint32) override {}
    const Machine& machine;
};
} // namespace machinestep

// One step of the window's run (run.h) at CurrentLine. On result 0 CurrentLine
// moves to the next line (highlighted first when the setting says so) and at
// most one register has been written; on any other result nothing is written
// or moved. A register text that is not an integer throws ZevoError out of the
// step with nothing written.
inline StepResult ExecuteLine(Machine& machine, qint32& CurrentLine) {
    machinestep::Highlight highlight(machine);
    WindowRun run = makeWindowRun(machine.program, machine.registers, machine.settings, &highlight);
    run.CurrentLine = CurrentLine;
    const StepResult r = run.ExecuteLine();
    CurrentLine = run.CurrentLine;
    return r;
}
