#pragma once

#include "step.h"
#include "stepcore.h"
#include "zevoerror.h"

#include <QString>
#include <limits>

// What a window follows of a run: the line that runs next and the counter.
// The run tells; it never asks anything back.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // The line a reset starts at, or the line a step that continued moved to.
    virtual void lineReached(qint32 line) = 0;
    virtual void stepCountChanged(qint32 count) = 0;
};

// How a run without a window ended.
struct RunOutcome {
    int exitStatus = 0;   // 0 end, 1 step limit, 2 no run or a register error, 3..8 the step result
    QString message;      // the final message as the window would show it
    qint32 stepCount = 0; // the window's counter: steps that continued
};

// The steps a run without a window takes at most unless told otherwise, in
// zevo-run and in a task file alike.
constexpr qint32 DefaultStepLimit = 1000000;

QString emptyFirstLineMessage();
QString stepLimitMessage();
// The outcome of a run whose last step gave result; 0 means the step limit.
RunOutcome runOutcome(StepResult result, qint32 stepCount);

// The register store for the one step at the step limit: its single write is
// dropped, so a step that would continue past the limit leaves no trace. The
// step writes last, so no read of it can miss the dropped value.
template <class Registers>
struct DiscardWrites {
    const Registers& registers;
    qint32 read(qint32 n) const { return registers.read(n); }
    void write(qint32, qint32) {}
};

// A run that writes no protocol.
struct NoProtocol {
    static constexpr bool Entries = false;
    bool failed() const { return false; }
    void heading() {}
    template <class Lines, class Registers>
    void entry(const Lines&, const Registers&, qint32) {}
};

// One run of a program: reset (a program whose first line is empty cannot be
// reset), one step, the step counter, the protocol's heading and entries, and
// for a run without a window the loop to the end or the step limit. It is a
// template over three things, so that each front end runs the same code at
// full speed:
// - Lines, where the lines come from: lineCount(), canReset(), firstLine(),
//   line(i) (a line for stepcore::execute), and the text lineText(i) and
//   utf8Line(i) for protocol entries. Either the editor's laid-out lines read
//   at each step (TextLines) or a program decoded once (DecodedProgram).
// - Registers, where the registers live: read(n) (may throw ZevoError) and
//   write(n, value). The grid's texts (WindowRegisters) or numbers.
// - Sink, where the protocol goes: heading(), entry(lines, registers,
//   CurrentLine), failed() and the constant Entries (false: steps write no
//   entries). The protocol window, a byte stream or nowhere.
// Lines and Registers may be reference types; the run then works on the
// caller's objects.
template <class Lines, class Registers, class Sink>
class ProgramRun {
public:
    ProgramRun(Lines lines, Registers registers, Sink sink, RunObserver* observer = nullptr)
        : m_lines(lines), m_registers(registers), m_sink(std::move(sink)), m_observer(observer) {}

    qint32 CurrentLine = 0;

    Sink& sink() { return m_sink; }
    const Sink& sink() const { return m_sink; }

    // The step counter: the number of steps since the reset that continued.
    qint32 stepCount() const { return m_count; }
    void ShowStepCount(qint32 n) {
        m_count = n;
        if (m_observer)
            m_observer->stepCountChanged(m_count);
    }
    // One more step on the counter, which stops at the largest value instead
    // of wrapping to a negative one.
    void IncrementStepCount() {
        ShowStepCount(m_count < std::numeric_limits<qint32>::max() ? m_count + 1 : m_count);
    }

    // Moves to the first instruction line, sets the counter to 0, and starts
    // the protocol with its heading and the first entry. False, and nothing
    // changes, when the first line is empty.
    bool reset() {
        if (!m_lines.canReset())
            return false;
        CurrentLine = m_lines.firstLine();
        ShowStepCount(0);
        if (m_observer)
            m_observer->lineReached(CurrentLine);
        writeHeading();
        writeEntry();
        return true;
    }

    // Executes line CurrentLine. On result 0 CurrentLine moves to the next line
    // and at most one register has been written; on any other result nothing is
    // written or moved. A register that cannot be read throws out of the step
    // with nothing written.
    StepResult ExecuteLine() {
        qint32 next = CurrentLine;
        const StepResult r =
            stepcore::execute(m_lines.line(CurrentLine), m_registers, m_lines.lineCount(), next);
        if (r != Step::Continue)
            return r;
        if (m_observer)
            m_observer->lineReached(next);
        CurrentLine = next;
        return r;
    }

    // Empties the protocol and writes the heading.
    void writeHeading() { m_sink.heading(); }
    // Appends the entry for CurrentLine. A register that cannot be read throws
    // before anything is written.
    void writeEntry() { m_sink.entry(m_lines, m_registers, CurrentLine); }

    // Steps without waits until a step ends the run, the sink fails or the
    // counter reaches limit (>= 0), writing an entry after every step. At the
    // limit one more step runs only if it ends the run; one that would
    // continue leaves no trace. Returns the last result, 0 for the limit.
    // For runs without a window: the observer is not told of each step.
    StepResult runFree(qint32 limit) {
        // The loop's state lives in locals: a register write could otherwise
        // alias the members and force them to memory at every step.
        qint32 line = CurrentLine;
        qint32 count = m_count;
        const qint32 lineCount = m_lines.lineCount();
        StepResult result = Step::Continue;
        try {
            while (!m_sink.failed()) {
                qint32 next = line;
                if (count >= limit) [[unlikely]] {
                    DiscardWrites<std::remove_reference_t<Registers>> probe{m_registers};
                    result = stepcore::execute(m_lines.line(line), probe, lineCount, next);
                    if (result == Step::Continue)
                        break;
                } else {
                    result = stepcore::execute(m_lines.line(line), m_registers, lineCount, next);
                }
                if (result == Step::Continue) {
                    line = next;
                    ++count; // below limit, so no overflow
                }
                if constexpr (Sink::Entries)
                    m_sink.entry(m_lines, m_registers, line);
                if (result != Step::Continue)
                    break;
            }
        } catch (...) {
            CurrentLine = line;
            m_count = count;
            throw;
        }
        CurrentLine = line;
        m_count = count;
        return result;
    }

    RunOutcome outcome(StepResult last) const { return runOutcome(last, m_count); }

private:
    Lines m_lines;
    Registers m_registers;
    Sink m_sink;
    RunObserver* m_observer = nullptr;
    qint32 m_count = 0;
};

// A free run that is never asked to stop: it goes to its end in one piece.
struct NeverStop {
    static constexpr bool Asks = false;
    bool operator()() const { return false; }
};

// The steps a stoppable free run goes between two questions: well below a
// millisecond at the run's speed, and too many for the extra step at each
// slice's end (see runFree) to be measurable.
inline constexpr qint32 StepsBetweenStopChecks = 1 << 16;

// runFree(limit), asking stop() between slices of steps so that a long run
// can be given up. A slice ends with runFree's step at the limit, which leaves
// no trace when it would continue: the next slice runs that step for real, so
// the run is the same as in one piece. Stopped early, it returns 0 with the
// counter below limit.
template <class R, class Stop>
StepResult runFreeUntil(R& run, qint32 limit, Stop& stop) {
    if constexpr (!Stop::Asks) {
        return run.runFree(limit);
    } else {
        for (;;) {
            const qint32 count = run.stepCount();
            const qint32 end =
                limit - count > StepsBetweenStopChecks ? count + StepsBetweenStopChecks : limit;
            const StepResult result = run.runFree(end);
            if (result != Step::Continue || end == limit || stop())
                return result;
        }
    }
}

// A reset and then the run to its end, as a run without a window reports it:
// a register text that is no number ends it with status 2 and the message the
// error display would show. A stop that asks (see runFreeUntil) may end the
// run early; the caller then discards the outcome.
template <class R, class AfterReset, class Stop = NeverStop>
RunOutcome resetAndRun(R& run, qint32 maxSteps, AfterReset&& afterReset, Stop stop = {}) {
    RunOutcome outcome;
    try {
        if (!run.reset()) {
            outcome.exitStatus = 2;
            outcome.message = emptyFirstLineMessage();
            return outcome;
        }
        afterReset();
        return run.outcome(runFreeUntil(run, maxSteps, stop));
    } catch (const ZevoError& e) {
        outcome.exitStatus = 2;
        outcome.message = withFullStop(e.message());
        outcome.stepCount = run.stepCount();
    }
    return outcome;
}
