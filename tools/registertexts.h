#pragma once

#include "registeraccess.h"

#include <QString>
#include <array>

// The 51 register texts of a run without a grid. A text given by the user is
// kept as typed and converted by the integer rule on every read, so a text that
// is no number fails exactly when the program (or the protocol) reads it. A
// written value is kept as its number: its written form always converts back to
// the same number, and a run of millions of steps should not format and parse
// a text per step.
class RegisterTexts final : public RegisterAccess {
public:
    RegisterTexts();

    // n must be 0 to 50.
    void setText(qint32 n, const QString& text);
    QString text(qint32 n) const;

    qint32 ReadRegister(qint32 n) const override;
    void WriteRegister(qint32 n, qint32 value) override;

private:
    struct Cell {
        qint32 value = 0;
        bool typed = false; // true: read `text` by the integer rule
        QString text;
    };
    std::array<Cell, 51> m_cells{};
};
