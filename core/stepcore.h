#pragma once

#include "navigation.h"
#include "step.h"
#include "syntax.h"

#include <limits>

// The one definition of a step, over any line and any register store, so that
// the window (which reads the current line from the editor at every step) and
// a run without a window (which decodes every line once) execute the same code.
//
// A Line offers labelValid(), opcode(), operand(), successor() and target();
// successor and target are the next line after it and the line its operand
// names as a jump target, and are asked for only when needed. Registers offer
// read(n) (which may throw ZevoError) and write(n, value).
namespace stepcore {

enum class Source { Direct, Indirect, Constant };

// The value an instruction works on: the constant itself, R[n] or R[R[n]].
// Register numbers are checked in that order before anything is read from them.
template <class Registers>
inline StepResult operandValue(Registers& regs, qint32 n, Source source, qint32& value) {
    if (source == Source::Constant) {
        value = n;
        return Step::Continue;
    }
    if (!IsValidRegister(n))
        return Step::InvalidRegister;
    qint32 address = n;
    if (source == Source::Indirect) {
        address = regs.read(n);
        if (!IsValidRegister(address))
            return Step::InvalidRegister;
    }
    value = regs.read(address);
    return Step::Continue;
}

inline bool fits(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

// R0 := R0 op value, computed in 64 bits so that overflow is found before it
// happens; the register is written only when every check has passed.
template <Opcode Op, class Registers>
inline StepResult arithmetic(Registers& regs, qint32 operand, Source source) {
    qint32 value = 0;
    if (const StepResult r = operandValue(regs, operand, source, value))
        return r;
    if constexpr (Op == Opcode::Load) {
        regs.write(0, value);
        return Step::Continue;
    } else {
        // The divisor is checked before R0 is read, as a constant divisor needs no register.
        if (Op == Opcode::Div && value < 1)
            return Step::DivisionByZero;
        const qint64 accumulator = regs.read(0);
        qint64 result = 0;
        if constexpr (Op == Opcode::Mult)
            result = accumulator * value;
        else if constexpr (Op == Opcode::Add)
            result = accumulator + value;
        else if constexpr (Op == Opcode::Sub) // floored at 0
            result = accumulator < value ? 0 : accumulator - value;
        else
            result = accumulator / value; // truncates toward zero; value >= 1
        if (!fits(result))
            return Step::Overflow;
        regs.write(0, qint32(result));
        return Step::Continue;
    }
}

template <class Registers>
inline StepResult store(Registers& regs, qint32 n, bool indirect) {
    if (!IsValidRegister(n))
        return Step::InvalidRegister;
    qint32 address = n;
    if (indirect) {
        address = regs.read(n);
        if (!IsValidRegister(address))
            return Step::InvalidRegister;
    }
    regs.write(address, regs.read(0));
    return Step::Continue;
}

// Executes line. On result 0, next is the line that follows and at most one
// register has been written; on any other result nothing has been written.
// lineCount is the number of program lines, for the jump check.
template <class Line, class Registers>
inline StepResult execute(const Line& line, Registers& regs, qint32 lineCount, qint32& next) {
    if (!line.labelValid())
        return Step::InvalidLabel;
    const qint32 n = line.operand();
    StepResult r = Step::Continue;
    switch (line.opcode()) {
    case Opcode::End: return Step::Ended;
    case Opcode::Unrecognised: return Step::UnknownInstruction;
    case Opcode::Goto:
    case Opcode::JZero:
        next = NextLine(line, regs);
        return next <= lineCount ? Step::Continue : Step::UnknownTarget;
    case Opcode::Load: r = arithmetic<Opcode::Load>(regs, n, Source::Direct); break;
    case Opcode::ILoad: r = arithmetic<Opcode::Load>(regs, n, Source::Indirect); break;
    case Opcode::CLoad: r = arithmetic<Opcode::Load>(regs, n, Source::Constant); break;
    case Opcode::Mult: r = arithmetic<Opcode::Mult>(regs, n, Source::Direct); break;
    case Opcode::IMult: r = arithmetic<Opcode::Mult>(regs, n, Source::Indirect); break;
    case Opcode::CMult: r = arithmetic<Opcode::Mult>(regs, n, Source::Constant); break;
    case Opcode::Add: r = arithmetic<Opcode::Add>(regs, n, Source::Direct); break;
    case Opcode::IAdd: r = arithmetic<Opcode::Add>(regs, n, Source::Indirect); break;
    case Opcode::CAdd: r = arithmetic<Opcode::Add>(regs, n, Source::Constant); break;
    case Opcode::Sub: r = arithmetic<Opcode::Sub>(regs, n, Source::Direct); break;
    case Opcode::ISub: r = arithmetic<Opcode::Sub>(regs, n, Source::Indirect); break;
    case Opcode::CSub: r = arithmetic<Opcode::Sub>(regs, n, Source::Constant); break;
    case Opcode::Div: r = arithmetic<Opcode::Div>(regs, n, Source::Direct); break;
    case Opcode::IDiv: r = arithmetic<Opcode::Div>(regs, n, Source::Indirect); break;
    case Opcode::CDiv: r = arithmetic<Opcode::Div>(regs, n, Source::Constant); break;
    case Opcode::Store: r = store(regs, n, false); break;
    case Opcode::IStore: r = store(regs, n, true); break;
    }
    if (r == Step::Continue)
        next = NextLine(line, regs);
    return r;
}

} // namespace stepcore
