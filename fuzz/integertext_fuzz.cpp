#include "fuzzcheck.h"
#include "fuzztargets.h"

#include "integertext.h"
#include "zevoerror.h"

#include <optional>

namespace integertextfuzz {
namespace {

// The rule written out plainly, independent of the production parser: find the
// form by its first characters, then check every digit, then the range.
std::optional<qint32> referenceParse(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    const QString rest = text.mid(i);

    auto isHexDigit = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    auto isDigit = [](QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; };

    qsizetype hexStart = -1;
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        hexStart = 2;
    else if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        hexStart = 1;

    if (hexStart >= 0) {
        QString digits = rest.mid(hexStart);
        if (digits.isEmpty())
            return std::nullopt;
        for (QChar c : digits) {
            if (!isHexDigit(c))
                return std::nullopt;
        }
        while (digits.size() > 1 && digits.front() == u'0')
            digits.remove(0, 1);
        if (digits.size() > 8)
            return std::nullopt;
        quint32 value = 0;
        for (QChar c : digits) {
            const char16_t u = c.unicode();
            const quint32 d = u <= u'9' ? u - u'0' : (u | 0x20) - u'a' + 10;
            value = value * 16 + d;
        }
        return static_cast<qint32>(value);
    }

    bool negative = false;
    QString digits = rest;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits.remove(0, 1);
    }
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (!isDigit(c))
            return std::nullopt;
    }
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.size() > 10)
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    if (negative)
        value = -value;
    if (value < -2147483648LL || value > 2147483647LL)
        return std::nullopt;
    return static_cast<qint32>(value);
}

QString describe(const QString& text) {
    QString hex;
    for (QChar c : text)
        hex += QString::number(c.unicode(), 16) + u' ';
    return QStringLiteral("text '%1' (%2)").arg(text, hex);
}

void checkText(const QString& text) {
    const std::optional<qint32> expected = referenceParse(text);
    const std::optional<qint32> actual = tryParseInteger(text);
    FUZZ_CHECK(expected.has_value() == actual.has_value(), describe(text));
    if (expected)
        FUZZ_CHECK(*expected == *actual,
                   describe(text) +
                       QStringLiteral(" gives %1, expected %2").arg(*actual).arg(*expected));

    const QString message =
        QStringLiteral("'") + text + QStringLiteral("' ist kein gültiger Integerwert");
    bool threw = false;
    try {
        const qint32 value = parseInteger(text);
        FUZZ_CHECK(actual && value == *actual, describe(text));
    } catch (const ZevoError& e) {
        threw = true;
        FUZZ_CHECK(e.message() == message,
                   describe(text) + QStringLiteral(" message ") + e.message());
    }
    FUZZ_CHECK(threw == !actual.has_value(), describe(text));

    // The written form of every value reads back as itself.
    if (actual)
        FUZZ_CHECK(tryParseInteger(QString::number(*actual)) == actual, describe(text));
}

} // namespace

int fuzzOne(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto length = static_cast<qsizetype>(size);
    checkText(QString::fromUtf8(bytes, length));
    checkText(QString::fromLatin1(bytes, length));
    // UTF-16 code units reach characters no 8-bit text holds, such as the
    // full-width and Arabic-Indic digits, which must not count as digits.
    QString wide;
    for (size_t i = 0; i + 1 < size; i += 2)
        wide += QChar(char16_t(data[i] | (data[i + 1] << 8)));
    checkText(wide);
    return 0;
}

} // namespace integertextfuzz
