#include "linelist.h"

namespace {

// Length of the line break at i (CR LF counts as one break), 0 when none.
qsizetype lineBreakAt(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c == u'\r')
        return i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    return c == u'\n' || c == QChar::ParagraphSeparator ? 1 : 0;
}

} // namespace

QString withLineEnds(QStringView text, QStringView lineEnd) {
    QString result;
    result.reserve(text.size() + text.size() / 16);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype len = lineBreakAt(text, i)) {
            result += text.mid(start, i - start);
            result += lineEnd;
            i += len;
            start = i;
        } else {
            ++i;
        }
    }
    result += text.mid(start);
    return result;
}

QString withCrLfLineEnds(QStringView text) {
    return withLineEnds(text, u"\r\n");
}

qint64 crLfLength(QStringView text) {
    qint64 length = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = lineBreakAt(text, i);
        length += len ? 2 : 1;
        i += len ? len : 1;
    }
    return length;
}

QStringList splitProgramLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (const qsizetype len = lineBreakAt(text, i)) {
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
