#include "fuzzcheck.h"
#include "fuzztargets.h"

#include "codepage.h"
#include "linelist.h"
#include "programfile.h"

#include <array>

namespace filefuzz {
namespace {

QString hexOf(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' '));
}

QString withoutLineEnds(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

// Breaks in a text where() CR LF, lone CR and lone LF each count once.
qsizetype breakCount(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            ++n;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            ++n;
        }
    }
    return n;
}

// The inverse of the byte table, built from the decoder: the character of each
// byte and no other has a byte.
const std::array<int, 65536>& byteOfCharacter() {
    static const std::array<int, 65536> table = [] {
        std::array<int, 65536> t;
        t.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const QString c = decodeWindows1252(QByteArray(1, char(b)));
            FUZZ_CHECK(c.size() == 1 && t[c[0].unicode()] == -1, QString::number(b));
            t[c[0].unicode()] = b;
        }
        return t;
    }();
    return table;
}

void checkBytes(const QByteArray& bytes) {
    const auto where = [&] { return hexOf(bytes.left(200)); };
    // The code page reads every byte and gives it back unchanged.
    const QString text = decodeWindows1252(bytes);
    FUZZ_CHECK(text.size() == bytes.size(), where());
    qsizetype bad = 0;
    FUZZ_CHECK(encodeWindows1252(text, &bad) == bytes && bad == -1, where());

    // Loading turns every lone CR and lone LF into CR LF and nothing else.
    const QString crLf = withCrLfLineEnds(text);
    FUZZ_CHECK(withCrLfLineEnds(crLf) == crLf, where());
    FUZZ_CHECK(withoutLineEnds(crLf) == withoutLineEnds(text), where());
    FUZZ_CHECK(breakCount(crLf) == breakCount(text), where());
    for (qsizetype i = 0; i < crLf.size(); ++i) {
        if (crLf[i] == u'\r')
            FUZZ_CHECK(i + 1 < crLf.size() && crLf[i + 1] == u'\n', where());
        if (crLf[i] == u'\n')
            FUZZ_CHECK(i > 0 && crLf[i - 1] == u'\r', where());
    }
    const QStringList lines = splitProgramLines(text);
    FUZZ_CHECK(splitProgramLines(crLf) == lines, where());
    QString joined = lines.join(QStringLiteral("\r\n"));
    if (crLf.endsWith(QStringLiteral("\r\n")))
        joined += QStringLiteral("\r\n");
    FUZZ_CHECK(joined == crLf, where());
}

// Text with characters the code page lacks: those, and only those, are reported.
void checkText(const QString& text) {
    const auto& table = byteOfCharacter();
    qsizetype expectedBad = -1;
    QByteArray expected;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = table[text[i].unicode()];
        if (b < 0 && expectedBad < 0)
            expectedBad = i;
        expected += char(b < 0 ? '?' : b);
    }
    qsizetype bad = 0;
    const QByteArray bytes = encodeWindows1252(text, &bad);
    FUZZ_CHECK(bytes == expected && bad == expectedBad, hexOf(bytes));
    FUZZ_CHECK(ProgramFile::unencodableMessage(text).isEmpty() == (expectedBad < 0), hexOf(bytes));
}

} // namespace

int fuzzOne(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBytes(bytes);
    QString wide;
    for (size_t i = 0; i + 1 < size; i += 2)
        wide += QChar(char16_t(data[i] | (data[i + 1] << 8)));
    checkText(wide);
    return 0;
}

} // namespace filefuzz
