#include "step.h"

#include "integertext.h"
#include "linehighlighter.h"
#include "navigation.h"
#include "programtext.h"
#include "registeraccess.h"
#include "settings.h"
#include "syntax.h"

#include <array>
#include <limits>
#include <optional>

namespace {

using Limits = std::numeric_limits<qint32>;

std::optional<qint32> narrow(qint64 value) {
    if (value < Limits::min() || value > Limits::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

// The decimal text of value, written into buffer: no allocation on every step.
QStringView decimalText(qint32 value, std::array<char16_t, 12>& buffer) {
    qint64 v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    std::size_t start = buffer.size();
    do {
        buffer[--start] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        buffer[--start] = u'-';
    return QStringView(buffer.data() + start, qsizetype(buffer.size() - start));
}

enum class Arithmetic { Load, Mult, Add, Sub, Div };

// Where the second operand comes from, and what the instruction does with it.
struct Form {
    Arithmetic op;
    enum { Direct, Indirect, Constant } source;
};

std::optional<Form> formOf(Opcode opcode) {
    switch (opcode) {
    case Opcode::Load: return Form{Arithmetic::Load, Form::Direct};
    case Opcode::ILoad: return Form{Arithmetic::Load, Form::Indirect};
    case Opcode::CLoad: return Form{Arithmetic::Load, Form::Constant};
    case Opcode::Mult: return Form{Arithmetic::Mult, Form::Direct};
    case Opcode::IMult: return Form{Arithmetic::Mult, Form::Indirect};
    case Opcode::CMult: return Form{Arithmetic::Mult, Form::Constant};
    case Opcode::Add: return Form{Arithmetic::Add, Form::Direct};
    case Opcode::IAdd: return Form{Arithmetic::Add, Form::Indirect};
    case Opcode::CAdd: return Form{Arithmetic::Add, Form::Constant};
    case Opcode::Sub: return Form{Arithmetic::Sub, Form::Direct};
    case Opcode::ISub: return Form{Arithmetic::Sub, Form::Indirect};
    case Opcode::CSub: return Form{Arithmetic::Sub, Form::Constant};
    case Opcode::Div: return Form{Arithmetic::Div, Form::Direct};
    case Opcode::IDiv: return Form{Arithmetic::Div, Form::Indirect};
    case Opcode::CDiv: return Form{Arithmetic::Div, Form::Constant};
    default: return std::nullopt;
    }
}

// Resolves n (and R[n] for the indirect forms) to the register to use.
StepResult resolveRegister(const RegisterAccess& registers, qint32 n, bool indirect,
                           qint32& address) {
    if (!IsValidRegister(n))
        return Step::InvalidRegister;
    address = n;
    if (indirect) {
        address = registers.ReadRegister(n);
        if (!IsValidRegister(address))
            return Step::InvalidRegister;
    }
    return Step::Continue;
}

// Computes R0 op value, 64-bit wide so that overflow is found before it happens.
StepResult apply(Arithmetic op, qint32 accumulator, qint32 value, qint32& result) {
    std::optional<qint32> r;
    switch (op) {
    case Arithmetic::Load:
        r = value;
        break;
    case Arithmetic::Mult:
        r = narrow(qint64(accumulator) * qint64(value));
        break;
    case Arithmetic::Add:
        r = narrow(qint64(accumulator) + qint64(value));
        break;
    case Arithmetic::Sub: // floored at 0
        r = accumulator < value ? 0 : narrow(qint64(accumulator) - qint64(value));
        break;
    case Arithmetic::Div:
        if (value < 1)
            return Step::DivisionByZero;
        r = accumulator / value; // truncates toward zero; value >= 1 cannot overflow
        break;
    }
    if (!r)
        return Step::Overflow;
    result = *r;
    return Step::Continue;
}

StepResult execute(Machine& m, const ParsedLine& line, qint32 next, qint32& writtenRegister,
                   qint32& writtenValue) {
    RegisterAccess& regs = m.registers;
    switch (line.opcode) {
    case Opcode::End:
        return Step::Ended;
    case Opcode::Unrecognised:
        return Step::UnknownInstruction;
    case Opcode::Goto:
    case Opcode::JZero:
        return next <= m.program.lineCount() ? Step::Continue : Step::UnknownTarget;
    case Opcode::Store:
    case Opcode::IStore: {
        qint32 address = 0;
        if (auto r = resolveRegister(regs, line.operand, line.opcode == Opcode::IStore, address))
            return r;
        writtenRegister = address;
        writtenValue = regs.ReadRegister(0);
        return Step::Continue;
    }
    default:
        break;
    }

    const auto form = formOf(line.opcode);
    if (!form)
        return Step::UnknownInstruction;
    qint32 value = line.operand;
    if (form->source != Form::Constant) {
        qint32 address = 0;
        if (auto r = resolveRegister(regs, line.operand, form->source == Form::Indirect, address))
            return r;
        value = regs.ReadRegister(address);
    }
    // The divisor is checked before R0 is read, as a constant divisor needs no register.
    if (form->op == Arithmetic::Div && value < 1)
        return Step::DivisionByZero;
    const qint32 accumulator = form->op == Arithmetic::Load ? 0 : regs.ReadRegister(0);
    qint32 result = 0;
    if (auto r = apply(form->op, accumulator, value, result))
        return r;
    writtenRegister = 0;
    writtenValue = result;
    return Step::Continue;
}

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
    const QString text = machine.program.lineText(CurrentLine);
    const ParsedLine line = ParseLine(trimmedView(text));

    const auto label = tryParseInteger(line.label);
    if (!label || *label < 0)
        return Step::InvalidLabel;

    std::array<char16_t, 12> digits{};
    const qint32 next = NextLine(machine.program, machine.registers, CurrentLine, line.opcode,
                                 decimalText(line.operand, digits));

    qint32 writtenRegister = -1;
    qint32 writtenValue = 0;
    if (const StepResult r = execute(machine, line, next, writtenRegister, writtenValue))
        return r;
    // The one write comes last, after every check has passed.
    if (writtenRegister >= 0)
        machine.registers.WriteRegister(writtenRegister, writtenValue);

    if (machine.highlighter && machine.settings.highlightCurrentLine())
        machine.highlighter->HighlightLine(next);
    CurrentLine = next;
    return Step::Continue;
}
