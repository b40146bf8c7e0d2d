#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <cstdio>

// Protocol lines to a C stream in UTF-8, each followed by LF. Lines are gathered
// in a fixed buffer and written in large pieces, so a run of millions of steps
// neither flushes per line nor keeps its protocol in memory.
class Utf8Output {
public:
    explicit Utf8Output(std::FILE* stream);
    ~Utf8Output();
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

    bool failed() const { return m_failed; }
    void writeLine(const QString& line);
    // Room for n bytes at the end of the buffer. What is written there counts
    // only once commit() is given its end, so a line formed halfway is dropped.
    char* reserve(qsizetype n);
    void commit(const char* end) { m_used = end - m_buffer.constData(); }
    // Writes what is buffered; false once any write has failed.
    bool flush();

private:
    std::FILE* m_stream;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
};
