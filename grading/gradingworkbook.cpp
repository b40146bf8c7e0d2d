#include "gradingworkbook.h"

#include "gradingreport.h"
#include "nativename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QtEndian>

#include <xlsxwriter.h>

#include <algorithm>
#include <optional>

namespace {

// Excel keeps at most this many characters in a cell.
constexpr qsizetype maxCellText = 32767;
// Wider columns than this would push the next ones off the screen.
constexpr qsizetype maxColumnWidth = 60;

// A cell holds XML text. Names and messages look as in the report (control
// characters and bytes that were not UTF-8 as \xNN), which XML can carry;
// what is still no character (U+FFFE, U+FFFF, a stray surrogate) becomes U+FFFD.
QString cellText(const QString& text) {
    const QString visible = visibleText(text);
    QString out;
    out.reserve(visible.size());
    for (qsizetype i = 0; i < visible.size(); ++i) {
        const QChar c = visible[i];
        if (c.isHighSurrogate() && i + 1 < visible.size() && visible[i + 1].isLowSurrogate()) {
            out += c;
            out += visible[++i];
        } else if (c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    if (out.size() > maxCellText) {
        out.truncate(maxCellText);
        if (out.back().isHighSurrogate())
            out.chop(1);
    }
    return out;
}

// One sheet: its cells are written row by row, each column remembers its
// widest text so that it can be made wide enough at the end.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, const QStringList& header, lxw_format* bold)
        : m_sheet(workbook_add_worksheet(book, name)) {
        if (!m_sheet) {
            m_ok = false;
            return;
        }
        for (const QString& title : header)
            text(title, bold);
        endRow();
        worksheet_freeze_panes(m_sheet, 1, 0);
    }

    void text(const QString& value, lxw_format* format = nullptr) {
        const QString shown = cellText(value);
        // Always a string cell: a name beginning with "=" is never a formula.
        put(shown.size(), [&](lxw_row_t row, lxw_col_t column) {
            return worksheet_write_string(m_sheet, row, column, shown.toUtf8().constData(), format);
        });
    }

    void number(qint64 value) {
        put(QString::number(value).size(), [&](lxw_row_t row, lxw_col_t column) {
            return worksheet_write_number(m_sheet, row, column, double(value), nullptr);
        });
    }

    void empty() {
        put(0, [](lxw_row_t, lxw_col_t) { return LXW_NO_ERROR; });
    }

    void endRow() {
        ++m_row;
        m_column = 0;
    }

    // Sets the column widths; true when every cell was taken.
    bool finish() {
        for (qsizetype i = 0; m_ok && i < m_widths.size(); ++i)
            m_ok = worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i),
                                       double(std::min(m_widths[i] + 2, maxColumnWidth)),
                                       nullptr) == LXW_NO_ERROR;
        return m_ok;
    }

private:
    template <typename Write> void put(qsizetype width, const Write& write) {
        if (!m_ok || m_row >= LXW_ROW_MAX) {
            m_ok = false;
            return;
        }
        if (m_widths.size() <= m_column)
            m_widths.resize(m_column + 1);
        m_widths[m_column] = std::max(m_widths[m_column], width);
        m_ok = write(lxw_row_t(m_row), lxw_col_t(m_column)) == LXW_NO_ERROR;
        ++m_column;
    }

    lxw_worksheet* m_sheet;
    bool m_ok = true;
    qsizetype m_row = 0;
    qsizetype m_column = 0;
    QList<qsizetype> m_widths;
};

// The written file must be a whole zip archive: its central directory ends
// exactly where the end record begins, and the end record closes the file.
bool isWholeZip(const QByteArray& bytes) {
    constexpr qsizetype endRecord = 22;
    if (bytes.size() < endRecord || !bytes.startsWith("PK\x03\x04"))
        return false;
    const char* end = bytes.constData() + bytes.size() - endRecord;
    if (QByteArray(end, 4) != "PK\x05\x06")
        return false;
    const quint16 entries = qFromLittleEndian<quint16>(end + 10);
    const quint32 size = qFromLittleEndian<quint32>(end + 12);
    const quint32 offset = qFromLittleEndian<quint32>(end + 16);
    return entries > 0 && qint64(offset) + size == bytes.size() - endRecord;
}

} // namespace

std::optional<QByteArray> gradingWorkbookBytes(const Task& task, const QList<ProgramGrade>& grades) {
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/zevo-XXXXXX.xlsx"));
    if (!scratch.open())
        return std::nullopt;
    scratch.close();

    lxw_workbook* book = workbook_new(QFile::encodeName(scratch.fileName()).constData());
    if (!book)
        return std::nullopt;
    lxw_format* bold = workbook_add_format(book);
    bool ok = bold != nullptr;
    if (ok)
        format_set_bold(bold);

    Sheet results(book, "Ergebnisse", gradeRowColumns(), bold);
    for (const GradeRow& row : gradeRows(task, grades)) {
        results.text(row.program);
        results.number(row.caseNumber);
        results.text(row.inputs);
        results.text(row.passed ? QStringLiteral("ja") : QStringLiteral("nein"));
        results.number(row.steps);
        results.text(row.expected);
        results.text(row.got);
        results.text(row.message);
        results.endRow();
    }

    Sheet overview(book, "Übersicht",
                   {QStringLiteral("Programm"), QStringLiteral("Bestandene Fälle"),
                    QStringLiteral("Fälle"), QStringLiteral("Höchstens Schritte")},
                   bold);
    for (const ProgramGrade& grade : grades) {
        overview.text(grade.program);
        overview.number(grade.passedCount());
        overview.number(grade.cases.size());
        if (const std::optional<qint32> most = slowestPassingSteps(grade))
            overview.number(*most);
        else
            overview.empty();
        overview.endRow();
    }

    ok = results.finish() && overview.finish() && ok;
    // Closing writes the file and frees the workbook, so it comes even after a failure.
    ok = workbook_close(book) == LXW_NO_ERROR && ok;
    if (!ok)
        return std::nullopt;

    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = written.readAll();
    if (written.error() != QFileDevice::NoError || !isWholeZip(bytes))
        return std::nullopt;
    return bytes;
}

bool writeGradingWorkbook(const QString& path, const Task& task,
                          const QList<ProgramGrade>& grades) {
    const std::optional<QByteArray> bytes = gradingWorkbookBytes(task, grades);
    return bytes && writeFileChecked(path, *bytes);
}
