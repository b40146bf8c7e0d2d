#include "programlist.h"

#include "platformfile.h"

#include <QDir>
#include <QSet>

QString fileIdentity(const QString& name) {
    if (const std::optional<QString> identity = PlatformFile::fileIdentity(name))
        return *identity;
    return QDir::cleanPath(QDir::current().absoluteFilePath(name));
}

ProgramList withoutRepeats(const QStringList& names) {
    ProgramList list;
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString identity = fileIdentity(name);
        if (seen.contains(identity)) {
            list.repeated << name;
        } else {
            seen.insert(identity);
            list.programs << name;
        }
    }
    return list;
}
