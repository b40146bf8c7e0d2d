#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// What the user named to be graded, made into program files: a folder gives
// every "*.rmp" in it (any case, not in its subfolders) in name order, any
// other name is a program, whatever it turns out to be (grading says why it
// cannot be read). Folders that cannot be read are named in problems.
struct ProgramNames {
    QStringList programs;
    QStringList problems; // German, naming the folder
};
ProgramNames expandProgramNames(const QStringList& names);

// A task file by its name: ends in ".aufgabe" in any case.
bool isTaskFileName(const QString& name);

// Keeps one of several names for the same file (by the file itself: "./a.rmp",
// "a.rmp" and a hard link are one file) against those already listed.
class ProgramSet {
public:
    // False when the file is listed already.
    bool insert(const QString& path);
    void clear();

private:
    QSet<QString> m_keys;
};
