#include "decodedprogram.h"

#include "navigation.h"
#include "programtext.h"

#include <QHash>

namespace {

// FindTargetLine's answer for every text a jump can look for (a decimal
// number, perhaps negative), gathered in one pass over the program instead of
// one search from the top per jump line: the first line whose trimmed text
// begins with that text.
class TargetIndex {
public:
    explicit TargetIndex(const ProgramText& program) : m_notFound(program.lineCount() + 1) {
        for (qint32 i = 0; i < program.lineCount(); ++i) {
            const QString text = program.lineText(i);
            const QStringView trimmed = trimmedView(text);
            // A target text has at most 11 characters: "-" only first, then digits.
            for (qsizetype k = 0; k < trimmed.size() && k < 11; ++k) {
                const char16_t c = trimmed[k].unicode();
                if (!(c >= u'0' && c <= u'9') && !(c == u'-' && k == 0))
                    break;
                const QString key = trimmed.left(k + 1).toString();
                if (!m_first.contains(key)) // the upper line wins
                    m_first.insert(key, i);
            }
        }
    }
    qint32 find(qint32 operand) const {
        return m_first.value(QString::number(operand), m_notFound);
    }

private:
    QHash<QString, qint32> m_first;
    qint32 m_notFound;
};

// SuccessorLine's answer for every line, from the bottom up: asking it per
// line would walk a long run of comment lines once for every line above it.
std::vector<qint32> successorLines(const ProgramText& program) {
    const qint32 count = program.lineCount();
    std::vector<qint32> successors(std::size_t(count) + 1);
    successors[std::size_t(count)] = count; // a step never stands past the end
    qint32 nextNonComment = count;          // the first line below that is no comment
    for (qint32 i = count - 1; i >= 0; --i) {
        successors[std::size_t(i)] = nextNonComment;
        if (!isComment(trimmedView(program.lineText(i))))
            nextNonComment = i;
    }
    return successors;
}

} // namespace

DecodedProgram::DecodedProgram(const ProgramText& program, Texts texts)
    : m_lineCount(program.lineCount()),
      m_canReset(!program.lineText(0).isEmpty()),
      m_firstLine(FindFirstInstructionLine(program)) {
    const TargetIndex targets(program);
    const std::vector<qint32> successors = successorLines(program);
    m_lines.reserve(std::size_t(m_lineCount) + 1);
    if (texts == Texts::Kept)
        m_utf8.reserve(m_lineCount);
    for (qint32 i = 0; i <= m_lineCount; ++i) {
        const TextLine text(program, i);
        DecodedLine line;
        line.op = text.opcode();
        line.labelOk = text.labelValid();
        line.operandValue = text.operand();
        line.successorLine = successors[std::size_t(i)];
        if (line.op == Opcode::Goto || line.op == Opcode::JZero)
            line.targetLine = targets.find(line.operandValue);
        m_lines.push_back(line);
        if (texts == Texts::Kept && i < m_lineCount)
            m_utf8.append(program.lineText(i).toUtf8());
    }
}
