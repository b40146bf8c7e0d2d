#include "syntax.h"

#include "integertext.h"

#include <array>

namespace {

// Views with their lengths fixed at compile time: the lookup runs on every step.
constexpr std::array<QStringView, 20> Mnemonics = {
    u"load", u"iload", u"cload", u"mult",  u"imult", u"cmult",  u"add",
    u"iadd", u"cadd",  u"sub",   u"goto",  u"isub",  u"csub",   u"div",
    u"idiv", u"cdiv",  u"store", u"istore", u"jzero", u"end",
};

// Folds A-Z only: no other letters are treated as equal.
bool equalsIgnoringAsciiCase(QStringView word, QStringView lowerMnemonic) {
    if (word.size() != lowerMnemonic.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char16_t c = word[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != lowerMnemonic[i].unicode())
            return false;
    }
    return true;
}

Opcode lookUp(QStringView word) {
    for (std::size_t i = 0; i < Mnemonics.size(); ++i) {
        if (equalsIgnoringAsciiCase(word, Mnemonics[i]))
            return static_cast<Opcode>(i);
    }
    return Opcode::Unrecognised;
}

} // namespace

QString trimmed(QStringView text) {
    return trimmedView(text).toString();
}

QStringView trimmedView(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

ParsedLine ParseLine(QStringView text) {
    ParsedLine result;
    const qsizetype firstSpace = text.indexOf(u' ');
    if (firstSpace < 0)
        return result;
    result.label = trimmedView(text.left(firstSpace)).toString();
    const QStringView rest = trimmedView(text.mid(firstSpace + 1));

    QStringView word;
    const qsizetype secondSpace = rest.indexOf(u' ');
    if (secondSpace < 0) {
        word = rest;
    } else {
        if (const auto operand = tryParseInteger(trimmedView(rest.mid(secondSpace + 1)))) {
            word = rest.left(secondSpace);
            result.operand = *operand;
        }
    }
    result.opcode = lookUp(trimmedView(word));
    return result;
}

