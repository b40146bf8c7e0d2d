#pragma once

#include "programnames.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <functional>
#include <memory>

class CasesModel;
class GradingController;
class PruefenDialogs;
class QAction;
class QLabel;
class QProgressBar;
class QSortFilterProxyModel;
class QTableView;
class ResultsModel;
struct Task;

// The grading window: a task file, the programs to check against it, their
// results as they come, and each program's cases.
class PruefenWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PruefenWindow(PruefenDialogs& dialogs, QWidget* parent = nullptr);
    ~PruefenWindow() override;

    // The commands; each catches its own failures and shows them.
    bool openTask(const QString& path);
    void addPrograms(const QStringList& names);
    void clearList();
    void gradeAgain();
    void cancelGrading();
    void saveResults();
    void openInSimulator();
    void showHelp();

    // Where "Im Simulator öffnen" looks for zevo: beside this program (in the
    // build tree in app/), then on the search path. Tests point it elsewhere.
    void setSimulatorPath(const QString& path) { m_simulatorPath = path; }
    QString simulatorPath() const;

    ResultsModel& results() { return *m_results; }
    GradingController& controller() { return *m_controller; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildMenusAndToolBar();
    void buildCentralWidget();
    void showTask();
    void showSelectedProgram();
    void updateCommands();
    void updateProgress();
    void watchFolders(const QStringList& paths);
    void watchLater();
    void programFileChanged(const QString& path);
    void folderChanged(const QString& folder);
    int selectedRow() const;
    // Runs a command, showing a failure in the error display: no exception
    // may leave a slot.
    void guarded(const std::function<void()>& command);

    PruefenDialogs& m_dialogs;
    std::unique_ptr<ResultsModel> m_results;
    std::unique_ptr<CasesModel> m_taskCases;
    std::unique_ptr<CasesModel> m_programCases;
    std::unique_ptr<GradingController> m_controller;
    QSortFilterProxyModel* m_sorted = nullptr;
    QFileSystemWatcher m_watcher;
    ProgramSet m_listed;
    QString m_taskPath;
    QString m_simulatorPath;
    QStringList m_unwatched;    // listed programs whose own watch is still to come
    QDateTime m_unwatchedSince; // when the first of them was listed
    int m_shownRow = -1;        // the program whose cases are on show

    QAction* m_openTask = nullptr;
    QAction* m_addPrograms = nullptr;
    QAction* m_addFolder = nullptr;
    QAction* m_clearList = nullptr;
    QAction* m_grade = nullptr;
    QAction* m_cancel = nullptr;
    QAction* m_save = nullptr;
    QAction* m_simulator = nullptr;
    QAction* m_help = nullptr;
    QAction* m_quit = nullptr;

    QLabel* m_taskHeading = nullptr;
    QTableView* m_taskView = nullptr;
    QTableView* m_resultsView = nullptr;
    QLabel* m_programHeading = nullptr;
    QTableView* m_casesView = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_summary = nullptr;
};
