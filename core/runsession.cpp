#include "runsession.h"

#include "linehighlighter.h"
#include "navigation.h"
#include "programtext.h"
#include "protocolformat.h"
#include "settings.h"

bool RunSession::reset() {
    if (m_machine.program.lineText(0).isEmpty())
        return false;
    CurrentLine = FindFirstInstructionLine(m_machine.program);
    StepCount = 0;
    return true;
}

void RunSession::highlightCurrentLine() {
    if (m_machine.highlighter && m_machine.settings.highlightCurrentLine())
        m_machine.highlighter->HighlightLine(CurrentLine);
}

void RunSession::writeHeading() {
    if (m_sink)
        m_sink->startProtocol(protocolHeading(ProtocolLayout::from(m_machine.settings)));
}

void RunSession::appendEntry(ProtocolSink& sink) {
    // The settings are read for every entry: the options dialog may change them
    // between two steps.
    const ProtocolLayout layout = ProtocolLayout::from(m_machine.settings);
    const bool withInstruction = layout.kind == ProtocolKind::RegistersAndInstruction;
    // Both lines are formed before either is written, so a register that is
    // not a number leaves the protocol as it was.
    const QString lines[2] = {
        protocolRegisterLine(layout, m_machine.registers),
        withInstruction ? protocolInstructionLine(m_machine.program, CurrentLine) : QString()};
    sink.appendEntry(std::span<const QString>(lines, withInstruction ? 2 : 1));
}
