#pragma once

#include "protocolformat.h"
#include "utf8output.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <cstring>

// The protocol of a run without a window: the same lines as the protocol
// window holds, as UTF-8 bytes with LF on a stream. The settings are fixed for
// the whole run.
class StreamProtocol {
public:
    static constexpr bool Entries = true;

    StreamProtocol(Utf8Output& out, const ProtocolLayout& layout) : m_out(&out), m_layout(layout) {}

    bool failed() const { return m_out->failed(); }
    void heading() { m_out->writeLine(protocolHeading(m_layout)); }

    // The register line and, with instructions, program line CurrentLine, both
    // formed before either counts.
    template <class Lines, class Registers>
    void entry(const Lines& lines, const Registers& registers, qint32 CurrentLine) {
        const bool withInstruction = m_layout.kind == ProtocolKind::RegistersAndInstruction;
        const auto text = withInstruction ? lines.utf8Line(CurrentLine) : decltype(lines.utf8Line(0))();
        const QByteArrayView instruction(text);
        char* p = m_out->reserve(protocolformat::MaxRegisterLine + ValueTexts::Slot + 2 +
                                 instruction.size());
        p = protocolformat::writeRegisterLine(
            p, m_layout, [&](int i) { return registers.read(i); },
            [&](char* at, int i, qint32 value) { return m_texts.write(at, i, value); });
        *p++ = '\n';
        if (withInstruction) {
            p = std::copy(instruction.begin(), instruction.end(), p);
            *p++ = '\n';
        }
        m_out->commit(p);
    }

private:
    // The decimal text of each register as last written: a step changes at
    // most one register, so most values of an entry are copied, not formed
    // anew. Keyed by the value itself, so it can never be stale.
    class ValueTexts {
    public:
        // Copies whole slots: the output needs Slot - 1 bytes of room past its end.
        static constexpr qsizetype Slot = 16;

        char* write(char* out, int i, qint32 value) {
            Text& text = m_texts[std::size_t(i)];
            if (text.value != value) {
                text.value = value;
                text.length = qint8(writeDecimal(text.bytes, value) - text.bytes);
            }
            std::memcpy(out, text.bytes, Slot);
            return out + text.length;
        }

    private:
        struct Text {
            qint32 value = 0;
            qint8 length = 1;
            char bytes[Slot] = {'0'};
        };
        std::array<Text, RegisterCount> m_texts{};
    };

    Utf8Output* m_out;
    ProtocolLayout m_layout;
    ValueTexts m_texts;
};
