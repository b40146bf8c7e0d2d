#include "fuzzcheck.h"
#include "fakes.h"
#include "fuzztargets.h"

#include "integertext.h"
#include "navigation.h"
#include "settings.h"
#include "machinestep.h"
#include "step.h"
#include "syntax.h"
#include "zevoerror.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <optional>

namespace stepfuzz {
namespace {

constexpr int MaxLines = 64;
constexpr int MaxSteps = 50;

// ---- Reference model of one step, written from the rules, not from the code ----

QString refTrim(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

constexpr std::array<const char*, 20> RefMnemonics = {
    "load", "iload", "cload", "mult", "imult", "cmult", "add",   "iadd",   "cadd",  "sub",
    "goto", "isub",  "csub",  "div",  "idiv",  "cdiv",  "store", "istore", "jzero", "end",
};
constexpr int Unrecognised = 20;

struct RefLine {
    QString label;
    int opcode = Unrecognised;
    qint32 operand = -1;
};

int refLookUp(const QString& word) {
    QString folded = word;
    for (QChar& c : folded) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    }
    for (int i = 0; i < int(RefMnemonics.size()); ++i) {
        if (folded == QLatin1String(RefMnemonics[i]))
            return i;
    }
    return Unrecognised;
}

RefLine refParse(const QString& text) {
    RefLine line;
    const qsizetype space = text.indexOf(u' ');
    if (space < 0)
        return line;
    line.label = refTrim(text.left(space));
    const QString rest = refTrim(text.mid(space + 1));
    const qsizetype second = rest.indexOf(u' ');
    QString word = rest;
    if (second >= 0) {
        word = rest.left(second);
        if (const auto operand = tryParseInteger(refTrim(rest.mid(second + 1))))
            line.operand = *operand;
        else
            word.clear();
    }
    line.opcode = refLookUp(refTrim(word));
    return line;
}

struct RefThrow {
    QString text;
};

struct RefOutcome {
    bool throws = false;
    QString failingText;
    StepResult result = 0;
    qint32 next = 0;
    qint32 writtenRegister = -1;
    qint32 writtenValue = 0;
};

class RefMachine {
public:
    RefMachine(const QStringList& lines, const QStringList& texts) : lines(lines), texts(texts) {}

    RefOutcome step(qint32 current) const {
        RefOutcome out;
        try {
            out.result = run(current, out);
        } catch (const RefThrow& t) {
            out.throws = true;
            out.failingText = t.text;
        }
        return out;
    }

private:
    QString line(qint64 n) const { return n >= 0 && n < lines.size() ? lines[n] : QString(); }
    qint32 count() const { return qint32(lines.size()); }

    qint64 read(qint64 n) const {
        const auto value = tryParseInteger(texts[n]);
        if (!value)
            throw RefThrow{texts[n]};
        return *value;
    }
    static bool valid(qint64 n) { return n >= 0 && n <= 50; }

    qint32 successor(qint32 current) const {
        qint64 i = qint64(current) + 1;
        while (i < count() && refTrim(line(i)).startsWith(u"//"))
            ++i;
        return qint32(i);
    }
    qint32 target(const QString& text) const {
        for (qint32 i = 0; i <= count() + 1; ++i) {
            if (refTrim(line(i)).startsWith(text))
                return i;
        }
        return count() + 1;
    }

    StepResult run(qint32 current, RefOutcome& out) const {
        const RefLine p = refParse(refTrim(line(current)));
        const auto label = tryParseInteger(p.label);
        if (!label || *label < 0)
            return 7;
        const QString targetText = QString::number(p.operand);
        switch (p.opcode) {
        case 10:
            out.next = target(targetText);
            break;
        case 18:
            out.next = read(0) != 0 ? successor(current) : target(targetText);
            break;
        case Unrecognised:
            out.next = 0;
            break;
        default:
            out.next = successor(current);
            break;
        }

        const qint64 n = p.operand;
        switch (p.opcode) {
        case 19:
            return 2;
        case Unrecognised:
            return 5;
        case 10:
        case 18:
            return out.next <= count() ? 0 : 4;
        case 16:
        case 17: {
            if (!valid(n))
                return 6;
            qint64 address = n;
            if (p.opcode == 17) {
                address = read(n);
                if (!valid(address))
                    return 6;
            }
            out.writtenRegister = qint32(address);
            out.writtenValue = qint32(read(0));
            return 0;
        }
        default:
            break;
        }

        // The arithmetic groups: direct, indirect, constant forms of each operation.
        enum Op { Load, Mult, Add, Sub, Div };
        struct Form {
            Op op;
            char source; // 'd', 'i', 'c'
        };
        static const std::array<Form, 16> forms = {{
            {Load, 'd'},
            {Load, 'i'},
            {Load, 'c'},
            {Mult, 'd'},
            {Mult, 'i'},
            {Mult, 'c'},
            {Add, 'd'},
            {Add, 'i'},
            {Add, 'c'},
            {Sub, 'd'},
            {Load, '?'},
            {Sub, 'i'},
            {Sub, 'c'},
            {Div, 'd'},
            {Div, 'i'},
            {Div, 'c'},
        }};
        const Form form = forms[p.opcode];
        qint64 value = n;
        if (form.source == 'd') {
            if (!valid(n))
                return 6;
            value = read(n);
        } else if (form.source == 'i') {
            if (!valid(n))
                return 6;
            const qint64 address = read(n);
            if (!valid(address))
                return 6;
            value = read(address);
        }
        if (form.op == Div && value < 1)
            return 3;
        const qint64 accumulator = form.op == Load ? 0 : read(0);
        qint64 result = 0;
        switch (form.op) {
        case Load:
            result = value;
            break;
        case Mult:
            result = accumulator * value;
            break;
        case Add:
            result = accumulator + value;
            break;
        case Sub:
            result = accumulator < value ? 0 : accumulator - value;
            break;
        case Div:
            result = accumulator / value;
            break;
        }
        if (result < -2147483648LL || result > 2147483647LL)
            return 8;
        out.writtenRegister = 0;
        out.writtenValue = qint32(result);
        return 0;
    }

    const QStringList& lines;
    const QStringList& texts;
};

// ---- Input layout ----
// byte 0: bit 0 HighlightCurrentLine, bit 1 UTF-8 (else Latin-1)
// byte 1: start line as a signed byte; 127 means "where a reset starts"
// then program lines separated by LF, a NUL byte, register texts separated by LF.
QStringList splitText(const QByteArray& bytes, bool utf8, int limit) {
    QStringList out;
    for (const QByteArray& piece : bytes.split('\n')) {
        if (out.size() == limit)
            break;
        out << (utf8 ? QString::fromUtf8(piece) : QString::fromLatin1(piece));
    }
    return out;
}

QString context(const QStringList& lines, const QStringList& texts, qint32 current) {
    return QStringLiteral("line %1 of [%2], registers [%3]")
        .arg(current)
        .arg(lines.join(u'|'), texts.join(u'|'));
}

} // namespace

int fuzzOne(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const bool highlight = data[0] & 1;
    const bool utf8 = data[0] & 2;
    const QByteArray rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const qsizetype nul = rest.indexOf('\0');
    const QByteArray programBytes = nul < 0 ? rest : rest.left(nul);
    const QByteArray registerBytes = nul < 0 ? QByteArray() : rest.mid(nul + 1);

    FakeProgram program(splitText(programBytes, utf8, MaxLines));
    FakeRegisters registers;
    const QStringList given =
        registerBytes.isEmpty() ? QStringList() : splitText(registerBytes, utf8, RegisterCount);
    for (qsizetype i = 0; i < given.size(); ++i)
        registers.texts[i] = given[i];

    PlainSettings settings;
    settings.HighlightCurrentLine = highlight;
    FakeHighlighter highlighter;
    Machine machine{program, registers, settings, &highlighter};

    qint32 CurrentLine = static_cast<int8_t>(data[1]);
    if (CurrentLine == 127)
        CurrentLine = FindFirstInstructionLine(program);

    for (int stepNo = 0; stepNo < MaxSteps; ++stepNo) {
        const QStringList textsBefore = registers.texts;
        const qint32 lineBefore = CurrentLine;
        // Built only when a check fails: joining every text costs more than the step.
        const auto where = [&] { return context(program.lines, textsBefore, lineBefore); };

        // The parser agrees with the reference on every line it is given.
        const QString lineText = refTrim(program.lineText(CurrentLine));
        const ParsedLine parsed = ParseLine(trimmed(program.lineText(CurrentLine)));
        const RefLine refParsed = refParse(lineText);
        FUZZ_CHECK(parsed.label == refParsed.label && int(parsed.opcode) == refParsed.opcode &&
                       parsed.operand == refParsed.operand,
                   where());

        const RefOutcome expected = RefMachine(program.lines, textsBefore).step(CurrentLine);
        registers.writes.clear();
        highlighter.highlighted.clear();

        StepResult result = 0;
        bool threw = false;
        try {
            result = ExecuteLine(machine, CurrentLine);
        } catch (const ZevoError& e) {
            threw = true;
            FUZZ_CHECK(expected.throws, where() + QStringLiteral(" threw ") + e.message());
            FUZZ_CHECK(e.message() == conversionErrorMessage(expected.failingText),
                       where() + QStringLiteral(" message ") + e.message());
        }
        FUZZ_CHECK(threw == expected.throws, where());

        if (threw || result != Step::Continue) {
            FUZZ_CHECK(CurrentLine == lineBefore, where());
            FUZZ_CHECK(registers.writes.isEmpty(), where());
            FUZZ_CHECK(registers.texts == textsBefore, where());
            FUZZ_CHECK(highlighter.highlighted.isEmpty(), where());
            if (threw)
                break;
            FUZZ_CHECK(result >= 2 && result <= 8,
                       where() + QStringLiteral(" result %1").arg(result));
            FUZZ_CHECK(
                result == expected.result,
                where() +
                    QStringLiteral(" result %1, expected %2").arg(result).arg(expected.result));
            FUZZ_CHECK(!stepResultMessage(result).isEmpty(), where());
            break;
        }

        FUZZ_CHECK(expected.result == Step::Continue,
                   where() + QStringLiteral(" result 0, expected %1").arg(expected.result));
        FUZZ_CHECK(
            CurrentLine == expected.next,
            where() +
                QStringLiteral(" moved to %1, expected %2").arg(CurrentLine).arg(expected.next));
        FUZZ_CHECK(registers.writes.size() <= 1, where());
        QStringList textsAfter = textsBefore;
        if (expected.writtenRegister >= 0) {
            FUZZ_CHECK(registers.writes == QVector<qint32>{expected.writtenRegister}, where());
            textsAfter[expected.writtenRegister] = QString::number(expected.writtenValue);
        } else {
            FUZZ_CHECK(registers.writes.isEmpty(), where());
        }
        FUZZ_CHECK(registers.texts == textsAfter, where());
        FUZZ_CHECK(highlighter.highlighted ==
                       (highlight ? QVector<qint32>{expected.next} : QVector<qint32>{}),
                   where());
    }
    return 0;
}

} // namespace stepfuzz
