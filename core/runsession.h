#pragma once

#include "step.h"

#include <QString>
#include <limits>
#include <span>

// Where a run writes its protocol: the protocol window, or a stream for a
// front end without a window.
class ProtocolSink {
public:
    virtual ~ProtocolSink() = default;
    // Empties the protocol and writes its first line, the heading.
    virtual void startProtocol(const QString& heading) = 0;
    // Appends one entry, its lines in order, each without its line break.
    virtual void appendEntry(std::span<const QString> lines) = 0;
    // True once a line could not be written: a run without a window ends there.
    virtual bool failed() const { return false; }
};

// One run of a program as the window drives it: the reset, one step, the
// step counter and the protocol's heading and entries. zevo-run runs the same
// step over a program decoded once (BatchRun), with the same protocol lines;
// the tests compare the two runs in everything.
class RunSession {
public:
    explicit RunSession(Machine& machine) : m_machine(machine) {}

    qint32 CurrentLine = 0;
    // Steps that ended with result 0, as the window's counter shows them.
    qint32 StepCount = 0;

    // Without a sink no protocol is formed at all.
    void setSink(ProtocolSink* sink) { m_sink = sink; }

    // Moves to the first instruction line and sets the counter to 0. A program
    // whose first line is empty cannot be reset: false, and nothing changes.
    bool reset();
    // Marks CurrentLine in the editor when there is one and the setting says so.
    void highlightCurrentLine();
    // Executes line CurrentLine (see ExecuteLine).
    StepResult step() { return ExecuteLine(m_machine, CurrentLine); }
    // One more step on the counter, which stops at the largest value instead
    // of wrapping to a negative one.
    void countStep() {
        if (StepCount < std::numeric_limits<qint32>::max())
            ++StepCount;
    }

    // Empties the protocol and writes the heading for the current settings.
    void writeHeading();
    // Appends the entry for CurrentLine: the register line and, with
    // instructions, that program line. A register that cannot be read throws
    // ZevoError before anything is written.
    void writeEntry() {
        if (m_sink)
            appendEntry(*m_sink);
    }

private:
    void appendEntry(ProtocolSink& sink);

    Machine& m_machine;
    ProtocolSink* m_sink = nullptr;
};
