#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The one rule by which any text becomes a number: line labels, operands and
// register texts alike.
//   - spaces (code 32) at the start are skipped;
//   - an optional sign and decimal digits, value within the signed 32-bit range;
//   - or "$", "x", "X", "0x", "0X" and hex digits that fit in 32 bits, read as
//     the 32-bit pattern ("$FFFFFFFF" is -1);
//   - nothing may follow.
std::optional<qint32> tryParseInteger(QStringView text);

// As tryParseInteger, but fails with ZevoError "'<text>' ist kein gültiger Integerwert".
qint32 parseInteger(const QString& text);

QString conversionErrorMessage(const QString& text);

// The way back from a number to its text: writes the decimal text of value
// ("-" for negative values, no leading zeros) at out, at most 11 characters,
// and returns the end. The digits go straight to their places, two at a time,
// as this runs for every value of every protocol entry.
template <class Char>
Char* writeDecimal(Char* out, qint32 value) {
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324"
                                    "25262728293031323334353637383940414243444546474849"
                                    "50515253545556575859606162636465666768697071727374"
                                    "75767778798081828384858687888990919293949596979899";
    quint32 v = value < 0 ? 0u - quint32(value) : quint32(value);
    if (value < 0)
        *out++ = Char('-');
    const int length = 1 + (v >= 10u) + (v >= 100u) + (v >= 1000u) + (v >= 10000u) +
                       (v >= 100000u) + (v >= 1000000u) + (v >= 10000000u) +
                       (v >= 100000000u) + (v >= 1000000000u);
    Char* const end = out + length;
    Char* p = end;
    while (v >= 100) {
        const quint32 pair = (v % 100) * 2;
        v /= 100;
        *--p = Char(Pairs[pair + 1]);
        *--p = Char(Pairs[pair]);
    }
    if (v >= 10) {
        *--p = Char(Pairs[v * 2 + 1]);
        *--p = Char(Pairs[v * 2]);
    } else {
        *--p = Char('0' + v);
    }
    return end;
}
