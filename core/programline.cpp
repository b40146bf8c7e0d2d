#include "programline.h"

#include "integertext.h"
#include "navigation.h"
#include "programtext.h"

#include <array>

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
    std::array<char16_t, 11> digits;
    const char16_t* end = writeDecimal(digits.data(), m_parsed.operand);
    return FindTargetLine(m_program, QStringView(digits.data(), end - digits.data()));
}
