#include "gradingreport.h"

#include "checkedwrite.h"
#include "nativename.h"

namespace {

QString quoted(const QString& text) { return u'"' + text + u'"'; }

QString expectedText(const TaskCase& taskCase) {
    return taskCase.expectedMessage.isEmpty() ? registerValuesText(taskCase.expectedRegisters)
                                              : taskCase.expectedMessage;
}

QString failureText(const Task& task, const ProgramGrade& grade) {
    if (grade.readFailed)
        return grade.cases.isEmpty() ? QString() : grade.cases.front().message;
    for (qsizetype i = 0; i < grade.cases.size(); ++i) {
        const CaseGrade& got = grade.cases[i];
        if (got.passed)
            continue;
        const TaskCase& taskCase = task.cases[i];
        const QString inputs = registerValuesText(taskCase.inputs);
        const QString expected = expectedText(taskCase);
        return QStringLiteral("Fall %1%2: erwartet %3, erhalten %4")
            .arg(QString::number(i + 1), inputs.isEmpty() ? QString() : " (" + inputs + ')',
                 taskCase.expectedMessage.isEmpty() ? expected : quoted(expected),
                 got.gotMessage ? quoted(got.got) : got.got);
    }
    return {};
}

// A spreadsheet runs a cell starting with one of "=+-@" as a formula.
QString csvText(const QString& field) {
    QString text = visibleText(field, Controls::Keep);
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u';') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n'))
        text = quoted(text.replace(u'"', QStringLiteral("\"\"")));
    return text;
}

QString jsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : visibleText(text, Controls::Keep)) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

} // namespace

QString taskHeading(const Task& task, const QString& taskFile) {
    const qsizetype n = task.cases.size();
    return visibleText(
        QStringLiteral("Aufgabe: %1 (%2, Schrittlimit %3)")
            .arg(task.title.value_or(taskFile),
                 n == 1 ? QStringLiteral("1 Fall") : QStringLiteral("%1 Fälle").arg(n),
                 QString::number(task.stepLimit)));
}

QString programReportLine(const Task& task, const ProgramGrade& grade) {
    const qsizetype passed = grade.passedCount();
    QString line = QStringLiteral("%1: %2 von %3 Fällen bestanden")
                       .arg(grade.program, QString::number(passed),
                            QString::number(grade.cases.size()));
    if (passed > 0) {
        qint32 most = 0;
        for (const CaseGrade& c : grade.cases)
            if (c.passed)
                most = std::max(most, c.steps);
        line += most == 1 ? QStringLiteral(", höchstens 1 Schritt")
                          : QStringLiteral(", höchstens %1 Schritte").arg(most);
    }
    const QString failure = failureText(task, grade);
    // One program, one line: no name or message may break it or steer the terminal.
    return visibleText(failure.isEmpty() ? line : line + QStringLiteral("; ") + failure);
}

QString summaryLine(qsizetype allPassed, qsizetype programs) {
    return QStringLiteral("Ergebnis: %1 von %2 Programmen haben alle Fälle bestanden.")
        .arg(allPassed)
        .arg(programs);
}

QByteArray csvTable(const Task& task, const QList<ProgramGrade>& grades) {
    QString text = QStringLiteral(
        "\uFEFFProgramm;Fall;Eingabe;Bestanden;Schritte;Erwartet;Erhalten;Meldung\r\n");
    for (const ProgramGrade& grade : grades)
        for (qsizetype i = 0; i < grade.cases.size(); ++i) {
            const CaseGrade& c = grade.cases[i];
            const QStringList fields{csvText(grade.program),
                                     QString::number(i + 1),
                                     csvText(registerValuesText(task.cases[i].inputs)),
                                     c.passed ? QStringLiteral("ja") : QStringLiteral("nein"),
                                     QString::number(c.steps),
                                     csvText(expectedText(task.cases[i])),
                                     csvText(c.got),
                                     csvText(c.message)};
            text += fields.join(u';') + QStringLiteral("\r\n");
        }
    return text.toUtf8();
}

QByteArray jsonTable(const Task& task, const QList<ProgramGrade>& grades) {
    QString text = QStringLiteral("{\"aufgabe\": %1, \"schrittlimit\": %2, \"ergebnisse\": [")
                       .arg(task.title ? jsonString(*task.title) : QStringLiteral("null"))
                       .arg(task.stepLimit);
    QStringList rows;
    for (const ProgramGrade& grade : grades)
        for (qsizetype i = 0; i < grade.cases.size(); ++i) {
            const CaseGrade& c = grade.cases[i];
            rows << QStringLiteral("\n{\"programm\": %1, \"fall\": %2, \"eingabe\": %3, "
                                   "\"bestanden\": %4, \"schritte\": %5, \"erwartet\": %6, "
                                   "\"erhalten\": %7, \"meldung\": %8}")
                        .arg(jsonString(grade.program), QString::number(i + 1),
                             jsonString(registerValuesText(task.cases[i].inputs)),
                             c.passed ? QStringLiteral("true") : QStringLiteral("false"),
                             QString::number(c.steps), jsonString(expectedText(task.cases[i])),
                             jsonString(c.got), jsonString(c.message));
        }
    return (text + rows.join(u',') + QStringLiteral("\n]}\n")).toUtf8();
}

bool writeFileChecked(const QString& path, const QByteArray& bytes) {
    return writeWholeFile(path, bytes) == CheckedWrite::Written;
}
