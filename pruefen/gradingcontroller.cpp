#include "gradingcontroller.h"

#include "resultsmodel.h"

#include <exception>

namespace {

// Rows updated this often look immediate, and the window's thread leaves the
// cores to the grading.
constexpr int TakeEveryMs = 25;

} // namespace

GradingController::GradingController(ResultsModel& model, QObject* parent)
    : QObject(parent), m_model(model) {
    m_takeTimer.setSingleShot(true);
    m_takeTimer.setInterval(TakeEveryMs);
    connect(&m_takeTimer, &QTimer::timeout, this, &GradingController::takeResults);
}

GradingController::~GradingController() {
    for (const auto& job : m_jobs)
        job->cancel = true;
    for (const auto& job : m_jobs)
        if (job->thread.joinable())
            job->thread.join();
}

bool GradingController::busy() const {
    return m_model.waitingCount() > 0;
}

qsizetype GradingController::done() const {
    return m_total - m_model.waitingCount();
}

void GradingController::gradeAll() {
    QList<int> rows;
    for (int row = 0; row < m_model.size(); ++row)
        rows << row;
    grade(rows);
}

void GradingController::grade(const QList<int>& rows) {
    const std::shared_ptr<const Task> task = m_model.task();
    if (!task || rows.isEmpty())
        return;
    const bool wasBusy = busy();
    if (!wasBusy)
        m_total = 0;
    auto job = std::make_unique<Job>();
    job->task = task;
    for (const int row : rows) {
        if (!m_model.entry(row).waiting)
            ++m_total;
        job->rows << row;
        job->revisions << m_model.markWaiting(row);
        job->programs << m_model.entry(row).path;
    }
    Job* started = job.get();
    m_jobs.push_back(std::move(job));
    try {
        started->thread = std::thread([this, started]() noexcept {
            QString error;
            try {
                gradeProgramsAsDone(
                    *started->task, started->programs, started->cancel,
                    [this, started](qsizetype i, ProgramGrade grade) {
                        // Read only while the job runs: at() never detaches the lists.
                        post({started->rows.at(i), started->revisions.at(i), std::move(grade)});
                    });
            } catch (const std::exception& e) {
                error = QString::fromLocal8Bit(e.what());
            } catch (...) {
                error = QStringLiteral("unbekannter Fehler");
            }
            QMetaObject::invokeMethod(
                this, [this, started, error] { jobEnded(started, error); }, Qt::QueuedConnection);
        });
    } catch (const std::exception& e) {
        m_jobs.pop_back();
        m_model.cancelWaiting();
        emit failed(QStringLiteral("Die Prüfung konnte nicht gestartet werden: %1")
                        .arg(QString::fromLocal8Bit(e.what())));
    }
    updateState(wasBusy);
}

void GradingController::cancel() {
    const bool wasBusy = busy();
    for (const auto& job : m_jobs)
        job->cancel = true;
    m_model.cancelWaiting();
    updateState(wasBusy);
}

// From the workers: results are collected and taken over by the window's
// thread in batches, one for as many as came within a few milliseconds.
void GradingController::post(Result result) {
    const std::lock_guard lock(m_mutex);
    m_results.push_back(std::move(result));
    if (!m_takePosted) {
        m_takePosted = true;
        QMetaObject::invokeMethod(&m_takeTimer, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    }
}

void GradingController::takeResults() {
    std::vector<Result> results;
    {
        const std::lock_guard lock(m_mutex);
        results.swap(m_results);
        m_takePosted = false;
    }
    if (results.empty())
        return;
    const bool wasBusy = busy();
    for (Result& r : results)
        m_model.setGrade(r.row, r.revision, std::move(r.grade));
    updateState(wasBusy);
}

void GradingController::jobEnded(Job* job, const QString& error) {
    takeResults();
    if (job->thread.joinable())
        job->thread.join();
    const bool wasBusy = busy();
    const bool unfinished = !job->cancel && !error.isEmpty();
    m_jobs.remove_if([job](const std::unique_ptr<Job>& j) { return j.get() == job; });
    if (unfinished) {
        // Rows of a grading that failed must not wait for ever.
        m_model.cancelWaiting();
        emit failed(QStringLiteral("Die Prüfung wurde abgebrochen: %1").arg(error));
    }
    updateState(wasBusy);
    if (m_jobs.empty())
        emit threadsEnded();
}

void GradingController::updateState(bool wasBusy) {
    emit progressChanged(done(), m_total);
    const bool nowBusy = busy();
    if (nowBusy != wasBusy)
        emit busyChanged(nowBusy);
}
