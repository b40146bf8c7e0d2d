#pragma once

#include "run.h"
#include "syntax.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

using RegisterValues = QList<QPair<qint32, qint32>>; // register number, value; in the order written

struct TaskCase {
    RegisterValues inputs;            // set before the run; the others hold 0
    RegisterValues expectedRegisters; // checked after "end"; empty when a message is expected
    QString expectedMessage;          // the final message the run must end with, or empty
};

struct Task {
    std::optional<QString> title;
    qint32 stepLimit = DefaultStepLimit;
    QList<TaskCase> cases;
};

// "R1=3 R2=4": the registers as the report and the tables show them.
QString registerValuesText(const RegisterValues& values);

// Parses a task file's bytes; fileName only names the file in messages.
// Throws ZevoError with the German message naming the line.
Task parseTask(const QByteArray& bytes, const QString& fileName);

// Reads at most 1 MiB by the name's bytes, then parses. Throws ZevoError.
Task loadTask(const QString& fileName);
