#pragma once

#include <QString>
#include <QStringList>

// One text for one file however it is named ("./a.rmp", "a.rmp", a hard
// link): device and inode where the file exists, else its cleaned absolute path.
QString fileIdentity(const QString& name);

// The programs to grade, each file once, in the order first named; repeated
// holds the names given again for a file already in the list.
struct ProgramList {
    QStringList programs;
    QStringList repeated;
};
ProgramList withoutRepeats(const QStringList& names);
