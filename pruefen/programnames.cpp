#include "programnames.h"

#include "nativename.h"
#include "platformfile.h"

#include <algorithm>

namespace {

QString inFolder(const QString& folder, const QString& name) {
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

} // namespace

bool isTaskFileName(const QString& name) {
    return name.endsWith(QStringLiteral(".aufgabe"), Qt::CaseInsensitive);
}

ProgramNames expandProgramNames(const QStringList& names) {
    ProgramNames result;
    for (const QString& name : names) {
        if (PlatformFile::kindOf(name) != PlatformFile::Kind::Directory) {
            result.programs << name;
            continue;
        }
        const std::optional<QStringList> entries = PlatformFile::folderEntries(name);
        if (!entries) {
            result.problems
                << QStringLiteral("Ordner %1 kann nicht gelesen werden.").arg(messageText(name));
            continue;
        }
        QStringList programs;
        for (const QString& entry : *entries)
            if (entry.endsWith(QStringLiteral(".rmp"), Qt::CaseInsensitive) && entry.size() > 4)
                programs << entry;
        std::sort(programs.begin(), programs.end(), [](const QString& a, const QString& b) {
            const int folded = a.compare(b, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a < b;
        });
        for (const QString& program : programs)
            result.programs << inFolder(name, program);
    }
    return result;
}

bool ProgramSet::insert(const QString& path) {
    // A name that names no file yet is told apart by its text.
    const QString key = PlatformFile::fileIdentity(path).value_or(QStringLiteral("name:") + path);
    if (m_keys.contains(key))
        return false;
    m_keys.insert(key);
    return true;
}

void ProgramSet::clear() {
    m_keys.clear();
}
