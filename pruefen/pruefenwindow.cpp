#include "pruefenwindow.h"

#include "casesmodel.h"
#include "gradingcontroller.h"
#include "gradingreport.h"
#include "gradingworkbook.h"
#include "look.h"
#include "nativename.h"
#include "platformfile.h"
#include "pruefendialogs.h"
#include "resultsmodel.h"
#include "taskfile.h"
#include "zevoerror.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace {

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// The table kind a name's ending asks for; none for any other ending.
std::optional<TableKind> tableKindOf(const QString& path) {
    const QString suffix = u'.' + QFileInfo(path).suffix().toLower();
    for (const TableKind kind : {TableKind::Workbook, TableKind::Csv, TableKind::Json})
        if (tableSuffix(kind) == suffix)
            return kind;
    return std::nullopt;
}

} // namespace

PruefenWindow::PruefenWindow(PruefenDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_results(std::make_unique<ResultsModel>()),
      m_taskCases(std::make_unique<CasesModel>()), m_programCases(std::make_unique<CasesModel>()),
      m_controller(std::make_unique<GradingController>(*m_results)) {
    setObjectName(QStringLiteral("PruefenWindow"));
    setWindowTitle(QStringLiteral("Zevo – Aufgaben prüfen"));
    setWindowIcon(Look::applicationIcon());
    setAcceptDrops(true);
    resize(900, 760);

    buildActions();
    buildMenusAndToolBar();
    buildCentralWidget();

    connect(m_controller.get(), &GradingController::progressChanged, this,
            [this] { updateProgress(); });
    connect(m_controller.get(), &GradingController::busyChanged, this, [this](bool busy) {
        updateCommands();
        // Once the window has shown the last rows.
        if (!busy)
            QTimer::singleShot(0, this, [this] { guarded([this] { watchLater(); }); });
    });
    connect(m_controller.get(), &GradingController::failed, this,
            [this](const QString& message) { m_dialogs.showError(message); });
    connect(m_resultsView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showSelectedProgram(); });
    connect(m_results.get(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                const int row = selectedRow();
                if (row >= from.row() && row <= to.row())
                    showSelectedProgram();
            });
    connect(m_results.get(), &QAbstractItemModel::modelReset, this, [this] {
        showSelectedProgram();
        updateProgress();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this,
            [this](const QString& path) { guarded([&] { programFileChanged(path); }); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString& folder) { guarded([&] { folderChanged(folder); }); });

    showTask();
    showSelectedProgram();
    updateProgress();
    updateCommands();
}

PruefenWindow::~PruefenWindow() = default;

void PruefenWindow::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const ZevoError& e) {
        m_dialogs.showError(messageText(e.message()));
    } catch (const std::exception& e) {
        m_dialogs.showError(QString::fromLocal8Bit(e.what()));
    }
}

bool PruefenWindow::openTask(const QString& path) {
    // A pipe would block the window's thread until a writer came, a folder
    // reads as nothing.
    if (PlatformFile::kindOf(path) != PlatformFile::Kind::Regular) {
        m_dialogs.showError(
            QStringLiteral("Aufgabendatei %1 kann nicht geöffnet werden: sie ist keine gewöhnliche "
                           "Datei oder fehlt")
                .arg(messageText(path)));
        return false;
    }
    Task task;
    try {
        task = loadTask(path);
    } catch (const ZevoError& e) {
        m_dialogs.showError(messageText(e.message()));
        return false;
    }
    m_controller->cancel();
    m_taskPath = path;
    m_results->setTask(std::make_shared<const Task>(std::move(task)));
    showTask();
    m_controller->gradeAll();
    updateCommands();
    return true;
}

void PruefenWindow::addPrograms(const QStringList& names) {
    if (names.isEmpty())
        return;
    const ProgramNames expanded = expandProgramNames(names);
    QStringList twice;
    QStringList added;
    for (const QString& program : expanded.programs)
        (m_listed.insert(program) ? added : twice) << program;
    // The files are watched once their grading is done: setting up 2,000
    // watches costs the window's thread as much as a fifth of the grading.
    // Their folders are watched at once, and a file saved meanwhile is
    // graded again then (see watchLater).
    if (!m_unwatchedSince.isValid())
        m_unwatchedSince = QDateTime::currentDateTimeUtc();
    m_unwatched += added;
    watchFolders(added);
    m_controller->grade(m_results->addPrograms(added));
    if (!m_controller->busy())
        watchLater();
    if (twice.size() == 1)
        statusBar()->showMessage(
            QStringLiteral("%1 steht schon in der Liste.").arg(messageText(twice.first())), 10000);
    else if (twice.size() > 1)
        statusBar()->showMessage(
            QStringLiteral("%1 Programme standen schon in der Liste, darunter %2.")
                .arg(twice.size())
                .arg(messageText(twice.first())),
            10000);
    else if (added.isEmpty() && expanded.problems.isEmpty())
        statusBar()->showMessage(QStringLiteral("Keine Programme (.rmp) gefunden."), 10000);
    if (m_resultsView->selectionModel() && !m_resultsView->currentIndex().isValid() &&
        m_sorted->rowCount() > 0)
        m_resultsView->setCurrentIndex(m_sorted->index(0, 0));
    updateProgress();
    updateCommands();
    if (!expanded.problems.isEmpty())
        m_dialogs.showError(expanded.problems.join(u'\n'));
}

void PruefenWindow::clearList() {
    m_controller->cancel();
    m_results->clear();
    m_listed.clear();
    m_unwatched.clear();
    m_unwatchedSince = {};
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    updateProgress();
    updateCommands();
}

void PruefenWindow::gradeAgain() {
    if (m_taskPath.isEmpty()) {
        m_dialogs.showError(QStringLiteral("Es ist keine Aufgabe geöffnet. „Aufgabe öffnen...“ "
                                           "wählt eine Aufgabendatei"));
        return;
    }
    // Reading the task anew takes up a change the teacher made meanwhile.
    openTask(m_taskPath);
}

void PruefenWindow::cancelGrading() {
    m_controller->cancel();
    statusBar()->showMessage(QStringLiteral("Prüfung abgebrochen."), 10000);
}

void PruefenWindow::saveResults() {
    const std::shared_ptr<const Task> task = m_results->task();
    const std::optional<QList<ProgramGrade>> grades = m_results->allGrades();
    if (!task || m_results->size() == 0) {
        m_dialogs.showError(QStringLiteral("Es gibt noch keine Ergebnisse zu speichern"));
        return;
    }
    if (!grades) {
        m_dialogs.showError(QStringLiteral("Es sind noch nicht alle Programme geprüft. „Prüfen“ "
                                           "prüft sie alle"));
        return;
    }
    const std::optional<PruefenDialogs::SaveChoice> choice = m_dialogs.saveResultsFile();
    if (!choice || choice->path.isEmpty())
        return;
    QString path = choice->path;
    TableKind kind = choice->kind;
    // The dialog asked before replacing the name it gave; a name it did not
    // give (an ending added here) is kept safe as zevo-run keeps a table name.
    bool confirmed = true;
    if (const std::optional<TableKind> named = tableKindOf(path)) {
        kind = *named;
    } else {
        path += tableSuffix(kind);
        confirmed = false;
    }
    const bool linkOrFolder = PlatformFile::isSymbolicLink(path) ||
                              PlatformFile::kindOf(path) == PlatformFile::Kind::Directory;
    if (!confirmed || linkOrFolder) {
        if (const std::optional<QString> refusal = tableTargetRefusal(path, kind)) {
            m_dialogs.showError(messageText(*refusal));
            return;
        }
    }
    bool written = false;
    switch (kind) {
    case TableKind::Csv:
        written = writeFileChecked(path, csvTable(*task, *grades));
        break;
    case TableKind::Json:
        written = writeFileChecked(path, jsonTable(*task, *grades));
        break;
    case TableKind::Workbook:
        written = writeGradingWorkbook(path, *task, *grades);
        break;
    }
    if (!written) {
        m_dialogs.showError(
            QStringLiteral("Datei %1 kann nicht geschrieben werden").arg(messageText(path)));
        return;
    }
    statusBar()->showMessage(QStringLiteral("Ergebnisse gespeichert in %1.").arg(messageText(path)),
                             10000);
}

QString PruefenWindow::simulatorPath() const {
    if (!m_simulatorPath.isEmpty())
        return m_simulatorPath;
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("zevo.exe");
#else
    const QString name = QStringLiteral("zevo");
#endif
    // Installed, zevo lies beside this program; in the build tree in app/.
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {here.filePath(name), here.filePath(QStringLiteral("../app/") + name)})
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("zevo"));
}

void PruefenWindow::openInSimulator() {
    const int row = selectedRow();
    if (row < 0) {
        m_dialogs.showError(QStringLiteral("Es ist kein Programm gewählt"));
        return;
    }
    const QString program = m_results->entry(row).path;
    // The name reaches zevo through the platform's own encoding of names;
    // one that is not valid in it would open another file or none.
    const QString absolute = QFileInfo(program).absoluteFilePath();
    if (!reachesQtUnchanged(absolute)) {
        m_dialogs.showError(QStringLiteral("Datei %1 kann Zevo nicht übergeben werden: ihr Name "
                                           "ist kein gültiger Dateiname dieses Systems")
                                .arg(messageText(program)));
        return;
    }
    const QString zevo = simulatorPath();
    if (zevo.isEmpty()) {
        m_dialogs.showError(QStringLiteral("Zevo wurde weder neben zevo-pruefen noch im Suchpfad "
                                           "gefunden"));
        return;
    }
    QStringList arguments{absolute};
    const QModelIndex current = m_casesView->currentIndex();
    const int caseRow = current.isValid() ? current.row() : 0;
    for (const auto& [n, value] : m_programCases->inputs(caseRow))
        arguments << QStringLiteral("-r") << QStringLiteral("%1=%2").arg(n).arg(value);
    if (!m_dialogs.startDetached(zevo, arguments))
        m_dialogs.showError(
            QStringLiteral("Zevo (%1) konnte nicht gestartet werden").arg(messageText(zevo)));
}

void PruefenWindow::showHelp() {
    m_dialogs.helpTopic(QStringLiteral("aufgaben"));
}

void PruefenWindow::showTask() {
    const std::shared_ptr<const Task> task = m_results->task();
    const QString heading =
        task ? taskHeading(*task, m_taskPath)
             : QStringLiteral("Keine Aufgabe geöffnet: „Aufgabe öffnen...“ wählt eine "
                              "Aufgabendatei (.aufgabe), oder ziehen Sie sie auf das Fenster.");
    m_taskHeading->setText(heading);
    m_taskHeading->setAccessibleName(heading);
    m_taskCases->show(task, std::nullopt);
}

int PruefenWindow::selectedRow() const {
    const QModelIndex current = m_resultsView->currentIndex();
    return current.isValid() ? m_sorted->mapToSource(current).row() : -1;
}

void PruefenWindow::showSelectedProgram() {
    const int row = selectedRow();
    const std::shared_ptr<const Task> task = m_results->task();
    QString heading;
    std::optional<ProgramGrade> grade;
    if (row < 0 || row >= m_results->size()) {
        heading = QStringLiteral("Kein Programm gewählt.");
    } else {
        const ProgramEntry& e = m_results->entry(row);
        if (e.grade && !e.waiting && !e.cancelled && task) {
            grade = e.grade;
            heading = programReportLine(*task, *e.grade);
        } else {
            heading = messageText(e.path) + QStringLiteral(": ") +
                      ResultsModel::verdictText(m_results->verdict(row));
        }
    }
    // The same program graded again keeps its chosen case; another program
    // starts at its first failing case, the one "Im Simulator öffnen" shows.
    int caseRow = row == m_shownRow ? m_casesView->currentIndex().row() : -1;
    if (caseRow < 0 && grade) {
        const auto failing = std::find_if(grade->cases.begin(), grade->cases.end(),
                                          [](const CaseGrade& c) { return !c.passed; });
        caseRow = failing == grade->cases.end() ? 0 : int(failing - grade->cases.begin());
    }
    m_shownRow = row;
    m_programHeading->setText(heading);
    m_programHeading->setAccessibleName(heading);
    m_programCases->show(row < 0 ? nullptr : task, grade);
    if (caseRow >= 0 && caseRow < m_programCases->rowCount())
        m_casesView->setCurrentIndex(m_programCases->index(caseRow, 0));
    updateCommands();
}

void PruefenWindow::updateProgress() {
    const qsizetype total = m_controller->total();
    const bool busy = m_controller->busy();
    m_progress->setVisible(busy);
    if (busy) {
        m_progress->setRange(0, int(total));
        m_progress->setValue(int(m_controller->done()));
    }
    const qsizetype n = m_results->size();
    QString summary;
    if (!m_results->task())
        summary = n == 0
                      ? QString()
                      : QStringLiteral("%1 Programme in der Liste, keine Aufgabe geöffnet.").arg(n);
    else if (busy)
        summary =
            QStringLiteral("%1 von %2 Programmen geprüft …").arg(m_controller->done()).arg(total);
    else if (m_results->allGrades() && n > 0)
        summary = summaryLine(m_results->allPassedCount(), n);
    else if (n > 0)
        summary = QStringLiteral("Nicht alle Programme sind geprüft.");
    m_summary->setText(summary);
    m_summary->setAccessibleName(summary);
}

void PruefenWindow::updateCommands() {
    const bool busy = m_controller->busy();
    const bool hasTask = m_results->task() != nullptr;
    m_grade->setEnabled(hasTask);
    m_cancel->setEnabled(busy);
    m_clearList->setEnabled(m_results->size() > 0);
    m_save->setEnabled(hasTask && !busy && m_results->size() > 0);
    m_simulator->setEnabled(selectedRow() >= 0);
}

void PruefenWindow::watchFolders(const QStringList& paths) {
    // A file an editor saves by renaming a new one over it, or a file that
    // does not exist yet, is a new file to a file's watch: its folder's
    // change tells of it (see folderChanged).
    const QStringList watchedFolders = m_watcher.directories();
    QSet<QString> folders(watchedFolders.begin(), watchedFolders.end());
    QStringList add;
    for (const QString& path : paths) {
        const QString folder = folderOf(path);
        if (!folders.contains(folder) && reachesQtUnchanged(folder) &&
            PlatformFile::kindOf(folder) == PlatformFile::Kind::Directory) {
            folders.insert(folder);
            add << folder;
        }
    }
    if (!add.isEmpty())
        m_watcher.addPaths(add);
}

void PruefenWindow::watchLater() {
    if (m_unwatched.isEmpty())
        return;
    QStringList add;
    QList<int> changed;
    for (const QString& path : std::as_const(m_unwatched)) {
        if (!reachesQtUnchanged(path) || PlatformFile::kindOf(path) != PlatformFile::Kind::Regular)
            continue;
        add << path;
        // Written in place while no watch was on it.
        if (QFileInfo(path).lastModified() > m_unwatchedSince)
            changed += m_results->rowsOf(path);
    }
    m_unwatched.clear();
    m_unwatchedSince = {};
    if (!add.isEmpty())
        m_watcher.addPaths(add);
    m_controller->grade(changed);
}

void PruefenWindow::programFileChanged(const QString& path) {
    // Saved by renaming, the file is a new one that the watcher no longer follows.
    m_watcher.removePath(path);
    if (PlatformFile::kindOf(path) == PlatformFile::Kind::Regular)
        m_watcher.addPath(path);
    m_controller->grade(m_results->rowsOf(path));
}

void PruefenWindow::folderChanged(const QString& folder) {
    const QStringList watchedList = m_watcher.files();
    const QSet<QString> watched(watchedList.begin(), watchedList.end());
    QList<int> rows;
    for (int row = 0; row < m_results->size(); ++row) {
        const QString& path = m_results->entry(row).path;
        if (watched.contains(path) || folderOf(path) != folder || !reachesQtUnchanged(path) ||
            PlatformFile::kindOf(path) != PlatformFile::Kind::Regular)
            continue;
        m_watcher.addPath(path);
        rows << row;
    }
    m_controller->grade(rows);
}

void PruefenWindow::closeEvent(QCloseEvent* event) {
    m_controller->cancel();
    event->accept();
}

void PruefenWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PruefenWindow::dropEvent(QDropEvent* event) {
    QStringList programs;
    QString task;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (task.isEmpty() && isTaskFileName(path) &&
            PlatformFile::kindOf(path) == PlatformFile::Kind::Regular)
            task = path;
        else
            programs << path;
    }
    event->acceptProposedAction();
    guarded([&] {
        if (!task.isEmpty())
            openTask(task);
        addPrograms(programs);
    });
}
