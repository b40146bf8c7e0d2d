#pragma once

#include <QString>
#include <QStringView>

// Numbering is fixed: the values travel between parser and step.
enum class Opcode : quint8 {
    Load = 0,
    ILoad = 1,
    CLoad = 2,
    Mult = 3,
    IMult = 4,
    CMult = 5,
    Add = 6,
    IAdd = 7,
    CAdd = 8,
    Sub = 9,
    Goto = 10,
    ISub = 11,
    CSub = 12,
    Div = 13,
    IDiv = 14,
    CDiv = 15,
    Store = 16,
    IStore = 17,
    JZero = 18,
    End = 19,
    Unrecognised = 20,
};

struct ParsedLine {
    QString label;
    Opcode opcode = Opcode::Unrecognised;
    qint32 operand = -1;
};

constexpr qint32 RegisterCount = 51;

// Removes every leading and trailing character with a code of 32 or less.
QString trimmed(QStringView text);
// The same, as a view into text: no copy for the step's hot path.
QStringView trimmedView(QStringView text);

// Splits an already trimmed line into label, opcode and operand. Fields are
// separated by spaces only; a tab is part of a field.
ParsedLine ParseLine(QStringView text);

constexpr bool IsValidRegister(qint64 n) { return n >= 0 && n < RegisterCount; }

// A comment line starts with "//"; callers decide whether to trim first.
inline bool isComment(QStringView text) { return text.startsWith(u"//"); }
