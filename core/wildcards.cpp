#include "wildcards.h"

#include "zevoerror.h"

#include <QDir>

#include <algorithm>

namespace {

bool isPattern(const QString& part) {
    return part.contains(u'*') || part.contains(u'?');
}

// Where the last part of a name begins: after its last separator, or after
// a drive ("C:*.rmp").
qsizetype lastPartStart(const QString& argument) {
    const qsizetype separator = std::max(argument.lastIndexOf(u'/'), argument.lastIndexOf(u'\\'));
    if (separator >= 0)
        return separator + 1;
    return argument.size() >= 2 && argument[1] == u':' ? 2 : 0;
}

} // namespace

bool matchesWildcard(const QString& pattern, const QString& name) {
    const QString p = pattern.toCaseFolded();
    const QString n = name.toCaseFolded();
    // Greedy with one point to go back to: linear for the usual patterns.
    qsizetype i = 0, j = 0, star = -1, resume = 0;
    while (j < n.size()) {
        if (i < p.size() && (p[i] == u'?' || p[i] == n[j])) {
            ++i;
            ++j;
        } else if (i < p.size() && p[i] == u'*') {
            star = i++;
            resume = j;
        } else if (star >= 0) {
            i = star + 1;
            j = ++resume;
        } else {
            return false;
        }
    }
    while (i < p.size() && p[i] == u'*')
        ++i;
    return i == p.size();
}

QStringList expandWildcards(const QStringList& arguments) {
    QStringList expanded;
    for (const QString& argument : arguments) {
        const qsizetype start = lastPartStart(argument);
        const QString pattern = argument.mid(start);
        if (!isPattern(pattern)) {
            expanded << argument;
            continue;
        }
        const QString folder = argument.left(start);
        QStringList names = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                                .entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.erase(
            std::remove_if(names.begin(), names.end(),
                           [&](const QString& name) { return !matchesWildcard(pattern, name); }),
            names.end());
        if (names.isEmpty())
            throw ZevoError(QStringLiteral("Keine Datei passt zu '%1'").arg(argument));
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            const int folded = QString::compare(a, b, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a < b;
        });
        for (const QString& name : names)
            expanded << folder + name;
    }
    return expanded;
}
