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
