#include "integertext.h"

#include "zevoerror.h"

namespace {

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDecimalDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

std::optional<qint32> parseHex(QStringView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = hexValue(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFull) // leading zeros never get here; real digits past 32 bits do
            return std::nullopt;
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

std::optional<qint32> parseDecimal(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 value = 0;
    for (QChar c : text) {
        if (!isDecimalDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -value : value);
}

} // namespace

std::optional<qint32> tryParseInteger(QStringView text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    text = text.mid(start);
    if (text.isEmpty())
        return std::nullopt;
    if (text.front() == u'$' || text.front() == u'x' || text.front() == u'X')
        return parseHex(text.mid(1));
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        return parseHex(text.mid(2));
    return parseDecimal(text);
}

QString conversionErrorMessage(const QString& text) {
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}

qint32 parseInteger(const QString& text) {
    if (const auto value = tryParseInteger(text))
        return *value;
    throw ZevoError(conversionErrorMessage(text));
}
