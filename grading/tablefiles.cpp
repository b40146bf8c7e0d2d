#include "tablefiles.h"

#include "gradingreport.h"
#include "platformfile.h"
#include "zipentries.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

// Larger files than this are no table grading wrote for a class.
constexpr qint64 largestTable = 512 * 1024 * 1024;

QString kindName(TableKind kind) {
    switch (kind) {
    case TableKind::Csv:
        return QStringLiteral("CSV-Tabelle");
    case TableKind::Json:
        return QStringLiteral("JSON-Tabelle");
    case TableKind::Workbook:
        return QStringLiteral("Arbeitsmappe");
    }
    return {};
}

bool isCsvTable(const QByteArray& bytes) {
    return bytes.startsWith(
        QByteArray("\xEF\xBB\xBF") + gradeRowColumns().join(u';').toUtf8() + "\r\n");
}

bool isJsonTable(const QByteArray& bytes) {
    const QJsonDocument json = QJsonDocument::fromJson(bytes);
    const QJsonObject top = json.object();
    const QJsonValue title = top.value(u"aufgabe");
    return json.isObject() && top.keys().size() == 3 && (title.isString() || title.isNull()) &&
           top.value(u"schrittlimit").isDouble() && top.value(u"ergebnisse").isArray();
}

bool isWorkbook(const QByteArray& bytes) {
    const QByteArray book = zipEntries(bytes).value(QStringLiteral("xl/workbook.xml"));
    return book.contains(QByteArray(R"(name="Ergebnisse")")) &&
           book.contains(QStringLiteral(R"(name="Übersicht")").toUtf8());
}

// Known suffixes of files that are no table of the given kind.
bool suffixFitsOther(const QString& path, TableKind kind) {
    static const QSet<QString> known{"csv", "json", "xlsx", "xls", "xlsm", "ods", "odt",
                                     "txt", "doc", "docx", "pdf", "rmp", "aufgabe"};
    const QString suffix = QFileInfo(path).suffix().toLower();
    return known.contains(suffix) && u'.' + suffix != tableSuffix(kind);
}

} // namespace

QString tableOption(TableKind kind) {
    switch (kind) {
    case TableKind::Csv:
        return QStringLiteral("--csv");
    case TableKind::Json:
        return QStringLiteral("--json");
    case TableKind::Workbook:
        return QStringLiteral("--xlsx");
    }
    return {};
}

QString tableSuffix(TableKind kind) {
    return tableOption(kind).replace(QStringLiteral("--"), QStringLiteral("."));
}

bool isGradingTable(TableKind kind, const QByteArray& bytes) {
    switch (kind) {
    case TableKind::Csv:
        return isCsvTable(bytes);
    case TableKind::Json:
        return isJsonTable(bytes);
    case TableKind::Workbook:
        return isWorkbook(bytes);
    }
    return false;
}

std::optional<QString> tableTargetRefusal(const QString& path, TableKind kind) {
    const QString named = QStringLiteral("Tabellendatei %1 (%2)").arg(path, tableOption(kind));
    if (suffixFitsOther(path, kind))
        return named + QStringLiteral(" hat nicht die Endung %1 und wird nicht geschrieben")
                           .arg(tableSuffix(kind));
    if (PlatformFile::isSymbolicLink(path))
        return named + QStringLiteral(" ist eine symbolische Verknüpfung und wird nicht "
                                      "überschrieben");
    switch (PlatformFile::kindOf(path)) {
    case PlatformFile::Kind::Missing:
    case PlatformFile::Kind::Other:
        return std::nullopt;
    case PlatformFile::Kind::Directory:
        return named + QStringLiteral(" ist ein Ordner");
    case PlatformFile::Kind::Regular:
        break;
    }
    QFile file;
    const bool ours = PlatformFile::openForReading(file, path, true) && file.size() <= largestTable &&
                      isGradingTable(kind, file.readAll()) && file.error() == QFileDevice::NoError;
    if (ours)
        return std::nullopt;
    return named + QStringLiteral(" gibt es schon, und sie ist keine von Zevo geschriebene %1; "
                                  "sie wird nicht überschrieben")
                       .arg(kindName(kind));
}
