#include "runsession.h"

#include "linehighlighter.h"
#include "navigation.h"
#include "programtext.h"
#include "protocolformat.h"
#include "settings.h"

#include <array>
#include <limits>

bool RunSession::reset() {
    if (m_machine.program.lineText(0).isEmpty())
        return false;
    CurrentLine = FindFirstInstructionLine(m_machine.program);
    StepCount = 0;
    if (m_machine.highlighter && m_machine.settings.highlightCurrentLine())
        m_machine.highlighter->HighlightLine(CurrentLine);
    return true;
}

void RunSession::countStep() {
    if (StepCount < std::numeric_limits<qint32>::max())
        ++StepCount;
}

void RunSession::writeHeading() {
    if (m_sink)
        m_sink->startProtocol(protocolHeading(ProtocolLayout::from(m_machine.settings)));
}

void RunSession::writeEntry() {
    if (!m_sink)
        return;
    // The settings are read for every entry: the options dialog may change them
    // between two steps.
    const ProtocolLayout layout = ProtocolLayout::from(m_machine.settings);
    std::array<QString, 2> lines;
    std::size_t count = 0;
    writeProtocolEntry(layout, m_machine.registers, m_machine.program, CurrentLine,
                       [&](QString line) { lines[count++] = std::move(line); });
    m_sink->appendEntry(std::span<const QString>(lines.data(), count));
}
