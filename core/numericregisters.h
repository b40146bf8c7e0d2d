#pragma once

#include "registeraccess.h"
#include "syntax.h"

#include <QString>
#include <array>

// The 51 registers of a run without a grid, held as numbers. A text given by
// the user is converted once by the integer rule: every later read of it
// would give the same number. A text that is no number is kept, and fails
// exactly when the program (or the protocol) reads it, as it would in the
// grid, until the register is written.
class NumericRegisters final : public RegisterAccess {
public:
    // n must be 0 to 50.
    void setText(qint32 n, const QString& text);

    qint32 read(qint32 n) const {
        if (m_notNumbers & bit(n)) [[unlikely]]
            failRead(n);
        return m_values[std::size_t(n)];
    }
    void write(qint32 n, qint32 value) {
        m_values[std::size_t(n)] = value;
        m_notNumbers &= ~bit(n);
    }

    qint32 ReadRegister(qint32 n) const override;
    void WriteRegister(qint32 n, qint32 value) override;

private:
    static quint64 bit(qint32 n) { return quint64(1) << n; }
    [[noreturn]] void failRead(qint32 n) const;

    std::array<qint32, RegisterCount> m_values{};
    quint64 m_notNumbers = 0; // one bit per register whose text is no number
    std::array<QString, RegisterCount> m_texts;
};
