#pragma once

#include "syntax.h"

#include <QString>

class ProgramText;

// One program line read from the program text at the moment of the step: the
// window's case, where the text may change between any two steps. The jump
// searches run only when the step asks for them.
class TextLine {
public:
    TextLine(const ProgramText& program, qint32 index);

    bool labelValid() const { return m_labelValid; }
    Opcode opcode() const { return m_parsed.opcode; }
    qint32 operand() const { return m_parsed.operand; }
    qint32 successor() const;
    qint32 target() const;

private:
    const ProgramText& m_program;
    qint32 m_index;
    ParsedLine m_parsed;
    bool m_labelValid = false;
};

// One program line decoded once, for a program whose text cannot change
// during the run: the same answers as its TextLine, held as numbers.
struct DecodedLine {
    Opcode op = Opcode::Unrecognised;
    bool labelOk = false;
    qint32 operandValue = -1;
    qint32 successorLine = 0;
    qint32 targetLine = 0; // only for goto and jzero

    bool labelValid() const { return labelOk; }
    Opcode opcode() const { return op; }
    qint32 operand() const { return operandValue; }
    qint32 successor() const { return successorLine; }
    qint32 target() const { return targetLine; }
};
