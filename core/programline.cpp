#include "programline.h"

#include "integertext.h"
#include "navigation.h"
#include "programtext.h"

#include <array>

namespace {

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

} // namespace

TextLine::TextLine(const ProgramText& program, qint32 index) : m_program(program), m_index(index) {
    const QString text = program.lineText(index);
    m_parsed = ParseLine(trimmedView(text));
    const auto label = tryParseInteger(m_parsed.label);
    m_labelValid = label && *label >= 0;
}

qint32 TextLine::successor() const {
    return SuccessorLine(m_program, m_index);
}

qint32 TextLine::target() const {
    std::array<char16_t, 12> digits{};
    return FindTargetLine(m_program, decimalText(m_parsed.operand, digits));
}
