#include "linelist.h"

namespace {

// Length of the line break at i (CR LF counts as one break), 0 when none.
qsizetype breakAt(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c == u'\r')
        return i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    return c == u'\n' ? 1 : 0;
}

} // namespace

QString withCrLfLineEnds(QStringView text) {
    QString result;
    result.reserve(text.size() + text.size() / 16);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype len = breakAt(text, i)) {
            result += text.mid(start, i - start);
            result += QStringLiteral("\r\n");
            i += len;
            start = i;
        } else {
            ++i;
        }
    }
    result += text.mid(start);
    return result;
}

QStringList splitProgramLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype len = breakAt(text, i)) {
            lines.append(text.mid(start, i - start).toString());
            i += len;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start).toString());
    return lines;
}
