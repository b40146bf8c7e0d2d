#pragma once

#include "grading.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ResultsModel;

// Grades rows of the results model off the window's thread, on all cores.
// Each result reaches its row as soon as it is done; "Abbrechen" gives the
// waiting rows up at once, and the runs still going end within a slice of
// steps. Several gradings may be under way (a whole class and a file saved
// meanwhile); a row takes only the result of the grading started last for it.
class GradingController : public QObject {
    Q_OBJECT
public:
    explicit GradingController(ResultsModel& model, QObject* parent = nullptr);
    ~GradingController() override; // gives every grading up and waits for its threads

    // Starts grading these rows with the model's task; nothing without a task.
    void grade(const QList<int>& rows);
    void gradeAll();
    void cancel();

    bool busy() const;
    // Rows done and rows started since the controller was last idle.
    qsizetype done() const;
    qsizetype total() const { return m_total; }
    // Whether a grading's threads are still ending after a cancel.
    bool threadsRunning() const { return !m_jobs.empty(); }

signals:
    void progressChanged(qsizetype done, qsizetype total);
    void busyChanged(bool busy);
    // An error that ended a grading, in German.
    void failed(const QString& message);
    // Every thread of every grading has ended (after a cancel too).
    void threadsEnded();

private:
    struct Job {
        std::shared_ptr<const Task> task;
        QStringList programs;
        QList<int> rows;
        QList<quint64> revisions;
        std::atomic<bool> cancel{false};
        std::thread thread;
    };
    struct Result {
        int row;
        quint64 revision;
        ProgramGrade grade;
    };

    void post(Result result);
    void takeResults();
    void jobEnded(Job* job, const QString& error);
    void updateState(bool wasBusy);

    ResultsModel& m_model;
    std::list<std::unique_ptr<Job>> m_jobs;
    std::mutex m_mutex; // guards m_results and m_takePosted
    std::vector<Result> m_results;
    bool m_takePosted = false;
    QTimer m_takeTimer; // results are taken over in batches, a few dozen times a second
    qsizetype m_total = 0;
};
