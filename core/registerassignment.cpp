#include "registerassignment.h"

#include "syntax.h"

#include <algorithm>

std::optional<QPair<qint32, QString>> parseRegisterAssignment(const QString& text) {
    const qsizetype eq = text.indexOf(u'=');
    // Plain digits only: a command line is no place for "$1F" or " 12".
    const QString number = text.left(eq);
    if (eq < 1 || eq > 9 || !std::all_of(number.begin(), number.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        }))
        return std::nullopt;
    const qint32 n = number.toInt();
    if (!IsValidRegister(n))
        return std::nullopt;
    return QPair<qint32, QString>(n, text.mid(eq + 1));
}
