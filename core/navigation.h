#pragma once

#include "syntax.h"

class ProgramText;

// Where a reset starts: the first line whose untrimmed text is not a comment.
// May be one past the end when every line is a comment.
qint32 FindFirstInstructionLine(const ProgramText& program);

// The next line after current that is not a comment (trimmed), or the line count.
qint32 SuccessorLine(const ProgramText& program, qint32 current);

// The first line, from the top, whose trimmed text begins with target; the line
// count + 1 when there is none. A prefix match: a jump to 11 may land on 110.
qint32 FindTargetLine(const ProgramText& program, QStringView target);

// The line that follows a step of line's opcode: the jump target for goto and
// for jzero when R0 is 0, otherwise the successor. line answers successor()
// and target() (the two searches above, read from the text or cached by a
// decoded program); registers answer read(n), which may throw the register's
// conversion error. The one rule of both the window's step and zevo-run's.
template <class Line, class Registers>
inline qint32 NextLine(const Line& line, const Registers& registers) {
    switch (line.opcode()) {
    case Opcode::Goto: return line.target();
    case Opcode::JZero: return registers.read(0) != 0 ? line.successor() : line.target();
    case Opcode::Unrecognised: return 0;
    default: return line.successor();
    }
}
