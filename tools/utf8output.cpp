#include "utf8output.h"

#include "platformconsole.h"

namespace {
constexpr qsizetype BufferSize = 1 << 16;
}

Utf8Output::Utf8Output(std::FILE* stream) : m_stream(stream), m_buffer(BufferSize, '\0') {}

Utf8Output::~Utf8Output() {
    flush();
}

char* Utf8Output::reserve(qsizetype n) {
    if (m_used + n > m_buffer.size()) {
        flush();
        if (n > m_buffer.size())
            m_buffer.resize(n);
    }
    return m_buffer.data() + m_used;
}

void Utf8Output::writeLine(const QString& line) {
    // UTF-8 needs at most three bytes per UTF-16 unit, plus the LF.
    char* end = m_encoder.appendToBuffer(reserve(3 * line.size() + 1), line);
    *end++ = '\n';
    commit(end);
}

bool Utf8Output::flush() {
    if (m_used > 0 && !m_failed) {
        // The buffer always ends with a whole line, so a console gets whole characters.
        if (!PlatformConsole::writeUtf8(m_stream, m_buffer.constData(), std::size_t(m_used)))
            m_failed = true;
    }
    m_used = 0;
    if (!m_failed && std::fflush(m_stream) != 0)
        m_failed = true;
    return !m_failed;
}
