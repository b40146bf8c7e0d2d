#pragma once

#include "navigation.h"
#include "programline.h"
#include "programtext.h"
#include "protocolformat.h"
#include "registeraccess.h"
#include "run.h"
#include "settings.h"

#include <QByteArray>
#include <QString>
#include <span>

// The program as the editor lays it out, read anew at every step: the text may
// change between any two steps.
class TextLines {
public:
    explicit TextLines(const ProgramText& program) : m_program(&program) {}

    qint32 lineCount() const { return m_program->lineCount(); }
    bool canReset() const { return !m_program->lineText(0).isEmpty(); }
    qint32 firstLine() const { return FindFirstInstructionLine(*m_program); }
    TextLine line(qint32 i) const { return TextLine(*m_program, i); }
    QString lineText(qint32 i) const { return m_program->lineText(i); }
    QByteArray utf8Line(qint32 i) const { return lineText(i).toUtf8(); }

private:
    const ProgramText* m_program;
};

// The registers behind RegisterAccess: in the window the grid's texts,
// converted on every read.
struct WindowRegisters {
    RegisterAccess* access;
    qint32 read(qint32 n) const { return access->ReadRegister(n); }
    void write(qint32 n, qint32 value) { access->WriteRegister(n, value); }
};

// Where the window's run writes its protocol: the protocol window.
class ProtocolSink {
public:
    virtual ~ProtocolSink() = default;
    // Empties the protocol and writes its first line, the heading.
    virtual void startProtocol(const QString& heading) = 0;
    // Appends one entry, its lines in order, each without its line break.
    virtual void appendEntry(std::span<const QString> lines) = 0;
};

// The window's protocol: lines formed as text for a ProtocolSink, shaped by
// the settings as they stand at each entry (the options dialog may change
// them between two steps). Without a sink no protocol is formed at all.
class WindowProtocol {
public:
    static constexpr bool Entries = true;

    explicit WindowProtocol(const Settings& settings) : m_settings(&settings) {}
    void setSink(ProtocolSink* sink) { m_sink = sink; }
    bool failed() const { return false; }

    void heading() {
        if (m_sink)
            m_sink->startProtocol(protocolHeading(ProtocolLayout::from(*m_settings)));
    }
    // The register line and, with instructions, program line CurrentLine as
    // it stands; both are formed before either is written, so a register that
    // is not a number leaves the protocol as it was.
    template <class Lines, class Registers>
    void entry(const Lines& lines, const Registers& registers, qint32 CurrentLine) {
        if (!m_sink)
            return;
        const ProtocolLayout layout = ProtocolLayout::from(*m_settings);
        const bool withInstruction = layout.kind == ProtocolKind::RegistersAndInstruction;
        const QString text[2] = {
            registerLineText(layout, [&](int i) { return registers.read(i); }),
            withInstruction ? lines.lineText(CurrentLine) : QString()};
        m_sink->appendEntry(std::span<const QString>(text, withInstruction ? 2 : 1));
    }

private:
    const Settings* m_settings;
    ProtocolSink* m_sink = nullptr;
};

// The window's run: the editor's lines, the grid's registers, the protocol window.
using WindowRun = ProgramRun<TextLines, WindowRegisters, WindowProtocol>;

inline WindowRun makeWindowRun(const ProgramText& program, RegisterAccess& registers,
                               const Settings& settings, RunObserver* observer = nullptr) {
    return WindowRun(TextLines(program), WindowRegisters{&registers}, WindowProtocol(settings),
                     observer);
}
