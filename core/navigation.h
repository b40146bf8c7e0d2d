#pragma once

#include "syntax.h"

class ProgramText;
class RegisterAccess;

// Where a reset starts: the first line whose untrimmed text is not a comment.
// May be one past the end when every line is a comment.
qint32 FindFirstInstructionLine(const ProgramText& program);

// The next line after current that is not a comment (trimmed), or the line count.
qint32 SuccessorLine(const ProgramText& program, qint32 current);

// The first line, from the top, whose trimmed text begins with target; the line
// count + 1 when there is none. A prefix match: a jump to 11 may land on 110.
qint32 FindTargetLine(const ProgramText& program, QStringView target);

// The line that follows a step of opcode at current. For jzero this reads R0,
// which may throw the register's conversion error.
qint32 NextLine(const ProgramText& program, const RegisterAccess& registers, qint32 current,
                Opcode opcode, QStringView target);
