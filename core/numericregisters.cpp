#include "numericregisters.h"

#include "integertext.h"
#include "zevoerror.h"

void NumericRegisters::setText(qint32 n, const QString& text) {
    const std::size_t i = std::size_t(n);
    if (const auto value = tryParseInteger(text)) {
        write(n, *value);
    } else {
        m_texts.at(i) = text;
        m_notNumbers |= bit(n);
    }
}

void NumericRegisters::failRead(qint32 n) const {
    throw ZevoError(conversionErrorMessage(m_texts[std::size_t(n)]));
}

qint32 NumericRegisters::ReadRegister(qint32 n) const {
    if (!IsValidRegister(n))
        return parseInteger(QString()); // no such row reads as the empty text
    return read(n);
}

void NumericRegisters::WriteRegister(qint32 n, qint32 value) {
    if (IsValidRegister(n)) // the interpreter checks every number before it writes
        write(n, value);
}
