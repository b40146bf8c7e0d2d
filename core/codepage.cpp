#include "codepage.h"

#include <array>

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

// The byte for u, or -1 when the code page has none.
int byteFor(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == u)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? High[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeWindows1252(const QString& text, qsizetype* firstBadIndex) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype firstBad = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int b = byteFor(text[i].unicode());
        if (b < 0) {
            b = '?';
            if (firstBad < 0)
                firstBad = i;
        }
        bytes[i] = static_cast<char>(b);
    }
    if (firstBadIndex)
        *firstBadIndex = firstBad;
    return bytes;
}
