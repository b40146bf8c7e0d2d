#include "taskfile.h"

#include "run.h"
#include "integertext.h"
#include "nativename.h"
#include "programload.h"
#include "step.h"
#include "zevoerror.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace {

constexpr qint64 MaxTaskBytes = 1024 * 1024;

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Blanks and tabs only: other white space is no separator here.
QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool allDigits(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The register number of "Rn=...", n from 0 to 50.
std::optional<qint32> registerNumber(QStringView token) {
    const qsizetype eq = token.indexOf(u'=');
    if (eq < 2 || (token[0] != u'R' && token[0] != u'r'))
        return std::nullopt;
    const QStringView number = token.sliced(1, eq - 1);
    if (!allDigits(number) || number.size() > 2 || !IsValidRegister(number.toInt()))
        return std::nullopt;
    return number.toInt();
}

// The final messages a run can end with; a task may expect a runaway too.
bool isExpectableMessage(const QString& text) {
    for (StepResult r : {Step::Ended, Step::DivisionByZero, Step::UnknownTarget,
                         Step::UnknownInstruction, Step::InvalidRegister, Step::InvalidLabel,
                         Step::Overflow})
        if (text == stepResultMessage(r))
            return true;
    return text == stepLimitMessage();
}

// Where the comment of a line begins: the first "#" that is not written "\#".
qsizetype commentStart(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'#' && (i == 0 || text[i - 1] != u'\\'))
            return i;
    return text.size();
}

class TaskParser {
public:
    explicit TaskParser(const QString& fileName) : m_fileName(fileName) {}

    Task parse(QByteArray bytes) {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        const QList<QByteArray> lines = bytes.split('\n');
        for (const QByteArray& raw : lines) {
            ++m_line;
            QStringDecoder utf8(QStringDecoder::Utf8);
            QString text = utf8.decode(raw);
            if (utf8.hasError())
                fail(QStringLiteral("ungültiges UTF-8"));
            if (text.endsWith(u'\r'))
                text.chop(1);
            text.truncate(commentStart(text));
            text.replace(QStringLiteral("\\#"), QStringLiteral("#"));
            parseLine(trimBlanks(text));
        }
        if (m_task.cases.isEmpty())
            throw ZevoError(QStringLiteral("Aufgabendatei %1: enthält keinen Fall").arg(m_fileName));
        return m_task;
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        // Text from the file may hold a NUL or a control character: the
        // display shows it escaped, as it does the file's name.
        throw ZevoError(QStringLiteral("Aufgabendatei %1, Zeile %2: %3")
                            .arg(m_fileName, QString::number(m_line), what));
    }

    void parseLine(QStringView line) {
        if (line.isEmpty())
            return;
        static const QRegularExpression keyword(
            QStringLiteral("^(titel|schrittlimit)[ \\t]*:[ \\t]*(.*)$"),
            QRegularExpression::CaseInsensitiveOption);
        // Qt 6.5 gave matching a view its own name; 6.8 deprecates the old one.
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        const auto match = keyword.matchView(line);
#else
        const auto match = keyword.match(line);
#endif
        if (!match.hasMatch()) {
            parseCase(line);
        } else if (match.captured(1).compare(u"titel", Qt::CaseInsensitive) == 0) {
            if (m_task.title)
                fail(QStringLiteral("Titel doppelt angegeben"));
            if (match.captured(2).isEmpty())
                fail(QStringLiteral("Titel fehlt"));
            m_task.title = match.captured(2);
        } else {
            if (m_seenLimit)
                fail(QStringLiteral("Schrittlimit doppelt angegeben"));
            m_seenLimit = true;
            const QString digits = match.captured(2);
            bool ok = false;
            const qulonglong limit = allDigits(digits) ? digits.toULongLong(&ok) : 0;
            if (!ok || limit < 1 || limit > qulonglong(std::numeric_limits<qint32>::max()))
                fail(QStringLiteral("ungültiges Schrittlimit '%1' (erlaubt: 1 bis 2147483647)")
                         .arg(digits));
            m_task.stepLimit = qint32(limit);
        }
    }

    void parseCase(QStringView line) {
        const qsizetype arrow = line.indexOf(u"->");
        if (arrow < 0)
            fail(QStringLiteral("'->' fehlt"));
        TaskCase taskCase;
        taskCase.inputs = registerList(line.left(arrow));
        const QStringView expectation = trimBlanks(line.sliced(arrow + 2));
        if (expectation.isEmpty())
            fail(QStringLiteral("Erwartung fehlt"));
        if (expectation.front() == u'"') {
            if (expectation.size() < 2 || expectation.back() != u'"')
                fail(QStringLiteral("schließendes Anführungszeichen fehlt: %1").arg(expectation));
            const QString message = expectation.sliced(1, expectation.size() - 2).toString();
            if (!isExpectableMessage(message))
                fail(QStringLiteral("unbekannte Meldung \"%1\"").arg(message));
            taskCase.expectedMessage = message;
        } else {
            taskCase.expectedRegisters = registerList(expectation);
        }
        m_task.cases << taskCase;
    }

    RegisterValues registerList(QStringView side) const {
        static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
        RegisterValues values;
        for (const QStringView token : side.split(blanks, Qt::SkipEmptyParts)) {
            const auto number = registerNumber(token);
            if (!number)
                fail(QStringLiteral("ungültige Registerangabe '%1' (erwartet: Rn=Zahl mit n von 0 "
                                    "bis 50)")
                         .arg(token));
            const QStringView text = token.sliced(token.indexOf(u'=') + 1);
            const auto value = tryParseInteger(text);
            if (!value)
                fail(QStringLiteral("ungültiger Wert '%1' für R%2 (erwartet: ganze Zahl von "
                                    "-2147483648 bis 2147483647)")
                         .arg(text)
                         .arg(*number));
            for (const auto& [n, v] : values)
                if (n == *number)
                    fail(QStringLiteral("Register R%1 doppelt angegeben").arg(n));
            values << QPair<qint32, qint32>(*number, *value);
        }
        return values;
    }

    QString m_fileName;
    qsizetype m_line = 0;
    bool m_seenLimit = false;
    Task m_task;
};

} // namespace

QString registerValuesText(const RegisterValues& values) {
    QStringList parts;
    for (const auto& [n, value] : values)
        parts << QStringLiteral("R%1=%2").arg(n).arg(value);
    return parts.join(u' ');
}

Task parseTask(const QByteArray& bytes, const QString& fileName) {
    return TaskParser(fileName).parse(bytes);
}

Task loadTask(const QString& fileName) {
    const auto unreadable = [&] {
        return ZevoError(
            QStringLiteral("Aufgabendatei %1: kann nicht gelesen werden").arg(fileName));
    };
    QFile file;
    if (!openByName(file, fileName))
        throw unreadable();
    // Read in pieces up to one byte past the limit, so a huge file is never read whole.
    QByteArray bytes;
    while (bytes.size() <= MaxTaskBytes) {
        const QByteArray piece = file.read(MaxTaskBytes + 1 - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError)
        throw unreadable();
    if (bytes.size() > MaxTaskBytes)
        throw ZevoError(QStringLiteral("Aufgabendatei %1: größer als 1 MiB").arg(fileName));
    return parseTask(bytes, fileName);
}
