#pragma once

#include <QString>
#include <QStringList>

// What zevo-pruefen's files are: at most one task file (ending in ".aufgabe"),
// and the programs and folders to grade against it.
struct PruefenFiles {
    QString task;
    QStringList programs;
    QString error; // German; empty when the files are fine
};
PruefenFiles splitPruefenFiles(const QStringList& files);

QString pruefenHelpText();
