#include "qtpruefendialogs.h"

#include "helpviewer.h"
#include "platformfile.h"
#include "qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>

namespace {

const TableKind FilterKinds[] = {TableKind::Workbook, TableKind::Csv, TableKind::Json};

} // namespace

QtPruefenDialogs::QtPruefenDialogs(HelpViewer& helpViewer) : m_help(helpViewer) {
    QtDialogs::keepNoSettings();
    m_folder = QDir::currentPath();
}

QStringList QtPruefenDialogs::resultFilters() {
    return {QStringLiteral("Arbeitsmappe für Calc und Excel (*.xlsx)"),
            QStringLiteral("CSV-Tabelle (*.csv)"),
            QStringLiteral("JSON für Lernplattformen (*.json)")};
}

QWidget* QtPruefenDialogs::parent() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_parent;
}

void QtPruefenDialogs::showError(const QString& message) {
    QtDialogs::errorDisplay(message, parent())->exec();
}

namespace {

void prepare(QFileDialog& dialog, const QString& folder) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(folder);
    QtDialogs::fitColumns(dialog);
}

} // namespace

QString QtPruefenDialogs::openTaskFile() {
    QFileDialog dialog(parent(), QStringLiteral("Aufgabe öffnen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Aufgabendateien (*.aufgabe)"), QStringLiteral("Alle Dateien (*)")});
    prepare(dialog, m_folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_folder = dialog.directory().absolutePath();
    return dialog.selectedFiles().first();
}

QStringList QtPruefenDialogs::openProgramFiles() {
    QFileDialog dialog(parent(), QStringLiteral("Programme hinzufügen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(
        {QStringLiteral("Registermaschinenprogramme (*.rmp)"), QStringLiteral("Alle Dateien (*)")});
    prepare(dialog, m_folder);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    m_folder = dialog.directory().absolutePath();
    return dialog.selectedFiles();
}

QString QtPruefenDialogs::chooseFolder() {
    QFileDialog dialog(parent(), QStringLiteral("Ordner hinzufügen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    prepare(dialog, m_folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_folder = dialog.directory().absolutePath();
    return dialog.selectedFiles().first();
}

std::optional<PruefenDialogs::SaveChoice> QtPruefenDialogs::saveResultsFile() {
    QFileDialog dialog(parent(), QStringLiteral("Ergebnisse speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = resultFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // A name typed without an ending gets the chosen table's.
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const qsizetype i = filters.indexOf(filter);
        if (i < 0)
            return;
        const QString suffix = tableSuffix(FilterKinds[i]);
        dialog.setDefaultSuffix(suffix.mid(1));
        // A typed name follows the chosen kind of table.
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return;
        for (const TableKind kind : FilterKinds)
            if (name->text().endsWith(tableSuffix(kind), Qt::CaseInsensitive)) {
                name->setText(name->text().chopped(tableSuffix(kind).size()) + suffix);
                break;
            }
    });
    prepare(dialog, m_folder);
    dialog.selectFile(QStringLiteral("ergebnisse.xlsx"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    m_folder = dialog.directory().absolutePath();
    SaveChoice choice;
    choice.path = dialog.selectedFiles().first();
    const qsizetype i = filters.indexOf(dialog.selectedNameFilter());
    choice.kind = FilterKinds[i < 0 ? 0 : i];
    return choice;
}

void QtPruefenDialogs::helpTopic(const QString& key) {
    m_help.showTopicKey(key);
}

bool QtPruefenDialogs::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
