#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type for failures that end a command (a register text that is
// not an integer, a file that cannot be opened). It carries the German message
// that the error display shows. Every command catches it at its boundary
// (guardCommand in commandguard.h); it never travels through Qt's event loop.
class ZevoError : public std::exception {
public:
    explicit ZevoError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The error display appends "." when the message's last character comes after
// "." in code order, so a message ending in "." or "!" gets none.
inline QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}
