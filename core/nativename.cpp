#include "nativename.h"

#include "platformconsole.h"

#include <QFile>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at bytes[i], or 0 if there is none.
int validSequence(const QByteArray& bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not valid.
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

// Whether text[i] stands for a byte that was not UTF-8: a lone surrogate of
// the range decodeArgument uses, not the second half of a pair.
bool isEscapedByte(const QString& text, qsizetype i) {
    const char16_t c = text[i].unicode();
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF &&
           !(i > 0 && text[i - 1].isHighSurrogate());
}

} // namespace

QString decodeArgument(const QByteArray& bytes) {
    QString text;
    qsizetype start = 0; // of the valid run not yet decoded
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int length = validSequence(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.mid(start, i - start));
        text += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i])));
        start = ++i;
    }
    text += QString::fromUtf8(bytes.mid(start));
    return text;
}

QByteArray encodeArgument(const QString& text) {
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isEscapedByte(text, i))
            continue;
        bytes += text.mid(start, i - start).toUtf8();
        bytes += char(text[i].unicode() - EscapeBase);
        start = i + 1;
    }
    bytes += text.mid(start).toUtf8();
    return bytes;
}

namespace {

// Marks that turn the order of the text around them (U+202E shows "pmr.ssap"
// as "pass.rmp"); a name with one could read as another name.
bool isDirectionMark(char16_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

} // namespace

namespace {

QString shown(const QString& text, Controls controls, bool escapeBackslash) {
    const auto hex = [](QString& out, uint byte) {
        out += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isEscapedByte(text, i)) {
            hex(out, c - EscapeBase);
        } else if (c == u'\\' && escapeBackslash) {
            out += QStringLiteral("\\\\");
        } else if (controls == Controls::Keep ||
                   (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F) && !isDirectionMark(c))) {
            out += text[i];
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c >= 0x80) {
            for (const char byte : QString(text[i]).toUtf8())
                hex(out, uchar(byte));
        } else {
            hex(out, c);
        }
    }
    return out;
}

} // namespace

QString visibleText(const QString& text, Controls controls) {
    return shown(text, controls, true);
}

QString messageText(const QString& text) {
    return shown(text, Controls::Escape, false);
}

bool reachesQtUnchanged(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path)
    return true; // names are UTF-16 there
#else
    return QFile::encodeName(path) == encodeArgument(path) &&
           QFile::decodeName(QFile::encodeName(path)) == path;
#endif
}

QStringList programArguments(int argc, char* argv[]) {
    if (auto system = PlatformConsole::systemArguments())
        return *std::move(system);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << decodeArgument(QByteArray(argv[i]));
    return arguments;
}
