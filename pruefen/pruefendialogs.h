#pragma once

#include "tablefiles.h"

#include <QString>
#include <QStringList>
#include <optional>

// Every modal box, file dialog, help request and started program of the
// grading window goes through this interface; tests give scripted answers.
class PruefenDialogs {
public:
    virtual ~PruefenDialogs() = default;

    // The one error display: the application's title as caption, error icon,
    // "OK", the message completed by withFullStop().
    virtual void showError(const QString& message) = 0;

    // An empty result means the user cancelled.
    virtual QString openTaskFile() = 0;
    virtual QStringList openProgramFiles() = 0;
    virtual QString chooseFolder() = 0;

    // The save dialog for the results: the name chosen (the user confirmed
    // replacing it, if it exists) and the kind of table its filter chose.
    struct SaveChoice {
        QString path;
        TableKind kind = TableKind::Workbook;
    };
    virtual std::optional<SaveChoice> saveResultsFile() = 0;

    // Opens Zevo's help at a topic, e.g. "aufgaben".
    virtual void helpTopic(const QString& key) = 0;

    // Starts a program that runs on its own; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};
