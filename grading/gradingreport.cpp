#include "gradingreport.h"

#include "checkedwrite.h"
#include "nativename.h"

#include <algorithm>

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

// A spreadsheet runs a cell starting with one of "=+-@" as a formula. A cell
// shows a name as the report does: no raw control character reaches a script.
QString csvText(const QString& field) {
    QString text = visibleText(field);
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
    if (const std::optional<qint32> most = slowestPassingSteps(grade))
        line += *most == 1 ? QStringLiteral(", höchstens 1 Schritt")
                           : QStringLiteral(", höchstens %1 Schritte").arg(*most);
    const QString failure = failureText(task, grade);
    // One program, one line: no name or message may break it or steer the terminal.
    return visibleText(failure.isEmpty() ? line : line + QStringLiteral("; ") + failure);
}

QString summaryLine(qsizetype allPassed, qsizetype programs) {
    return QStringLiteral("Ergebnis: %1 von %2 Programmen haben alle Fälle bestanden.")
        .arg(allPassed)
        .arg(programs);
}

QStringList gradeRowColumns() {
    return {QStringLiteral("Programm"), QStringLiteral("Fall"),      QStringLiteral("Eingabe"),
            QStringLiteral("Bestanden"), QStringLiteral("Schritte"), QStringLiteral("Erwartet"),
            QStringLiteral("Erhalten"), QStringLiteral("Meldung")};
}

QList<GradeRow> gradeRows(const Task& task, const QList<ProgramGrade>& grades) {
    QList<GradeRow> rows;
    for (const ProgramGrade& grade : grades)
        for (qsizetype i = 0; i < grade.cases.size(); ++i) {
            const CaseGrade& c = grade.cases[i];
            rows.append({grade.program, i + 1, registerValuesText(task.cases[i].inputs), c.passed,
                         c.steps, expectedText(task.cases[i]), c.got, c.message});
        }
    return rows;
}

std::optional<qint32> slowestPassingSteps(const ProgramGrade& grade) {
    std::optional<qint32> most;
    for (const CaseGrade& c : grade.cases)
        if (c.passed)
            most = std::max(most.value_or(0), c.steps);
    return most;
}

QByteArray csvTable(const Task& task, const QList<ProgramGrade>& grades) {
    QString text = QStringLiteral("\uFEFF") + gradeRowColumns().join(u';') + QStringLiteral("\r\n");
    for (const GradeRow& row : gradeRows(task, grades)) {
        const QStringList fields{csvText(row.program),
                                 QString::number(row.caseNumber),
                                 csvText(row.inputs),
                                 row.passed ? QStringLiteral("ja") : QStringLiteral("nein"),
                                 QString::number(row.steps),
                                 csvText(row.expected),
                                 csvText(row.got),
                                 csvText(row.message)};
        text += fields.join(u';') + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

QByteArray jsonTable(const Task& task, const QList<ProgramGrade>& grades) {
    QString text = QStringLiteral("{\"aufgabe\": %1, \"schrittlimit\": %2, \"ergebnisse\": [")
                       .arg(task.title ? jsonString(*task.title) : QStringLiteral("null"))
                       .arg(task.stepLimit);
    QStringList rows;
    for (const GradeRow& row : gradeRows(task, grades))
        rows << QStringLiteral("\n{\"programm\": %1, \"fall\": %2, \"eingabe\": %3, "
                               "\"bestanden\": %4, \"schritte\": %5, \"erwartet\": %6, "
                               "\"erhalten\": %7, \"meldung\": %8}")
                    .arg(jsonString(row.program), QString::number(row.caseNumber),
                         jsonString(row.inputs),
                         row.passed ? QStringLiteral("true") : QStringLiteral("false"),
                         QString::number(row.steps), jsonString(row.expected),
                         jsonString(row.got), jsonString(row.message));
    return (text + rows.join(u',') + QStringLiteral("\n]}\n")).toUtf8();
}

bool writeFileChecked(const QString& path, const QByteArray& bytes) {
    return writeWholeFile(path, bytes) == CheckedWrite::Written;
}
