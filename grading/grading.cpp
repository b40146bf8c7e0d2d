#include "grading.h"

#include "caserun.h"
#include "programload.h"
#include "zevoerror.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// None when cancelled.
std::optional<CaseGrade> gradeCase(const PreparedProgram& program, const TaskCase& taskCase,
                                   qint32 stepLimit, const std::atomic<bool>* cancel) {
    NumericRegisters registers;
    for (const auto& [n, value] : taskCase.inputs)
        registers.write(n, value);
    const CaseOutcome result = program.run(registers, stepLimit, cancel);
    if (result.cancelled)
        return std::nullopt;

    CaseGrade grade;
    grade.steps = result.outcome.stepCount;
    grade.message = result.outcome.message;
    grade.got = result.outcome.message;
    if (!taskCase.expectedMessage.isEmpty()) {
        grade.passed = result.outcome.message == taskCase.expectedMessage;
    } else if (result.outcome.exitStatus == 0) {
        RegisterValues got;
        grade.passed = true;
        for (const auto& [n, value] : taskCase.expectedRegisters) {
            const qint32 actual = registers.read(n);
            got << QPair<qint32, qint32>(n, actual);
            grade.passed = grade.passed && actual == value;
        }
        grade.got = registerValuesText(got);
        grade.gotMessage = false;
    }
    return grade;
}

std::optional<ProgramGrade> gradeOrCancel(const Task& task, const QString& program,
                                          const std::atomic<bool>* cancel) {
    ProgramGrade grade;
    grade.program = program;
    QStringList lines;
    try {
        lines = loadProgramLines(program, FileKind::RegularOnly);
    } catch (const ZevoError& e) {
        grade.readFailed = true;
        CaseGrade failed;
        failed.message = withFullStop(e.message());
        failed.got = failed.message;
        grade.cases.fill(failed, task.cases.size());
        return grade;
    }
    const PreparedProgram prepared(std::move(lines));
    for (const TaskCase& taskCase : task.cases) {
        std::optional<CaseGrade> c = gradeCase(prepared, taskCase, task.stepLimit, cancel);
        if (!c)
            return std::nullopt;
        grade.cases << std::move(*c);
    }
    return grade;
}

// Calls item(i) for i from 0 to count - 1 on all cores, each i once, until
// stop() is true. The first exception of an item is rethrown here once every
// worker has ended.
template <class Item, class Stop>
void onAllCores(std::size_t count, const Item& item, const Stop& stop) {
    std::atomic<std::size_t> next{0};
    std::mutex mutex; // guards failure
    std::exception_ptr failure;

    const auto work = [&]() noexcept {
        try {
            for (std::size_t i; !stop() && (i = next++) < count;)
                item(i);
        } catch (...) {
            // Handed to the caller after the join: an exception must not end a thread.
            const std::lock_guard lock(mutex);
            if (!failure)
                failure = std::current_exception();
        }
    };

    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                                        std::max<std::size_t>(count, 1));
    std::vector<std::thread> threads;
    try {
        for (std::size_t w = 1; w < workers; ++w)
            threads.emplace_back(work);
    } catch (const std::exception&) {
        // Fewer threads than cores still grade everything.
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace

qsizetype ProgramGrade::passedCount() const {
    return std::count_if(cases.begin(), cases.end(), [](const CaseGrade& c) { return c.passed; });
}

ProgramGrade gradeProgram(const Task& task, const QString& program) {
    return *gradeOrCancel(task, program, nullptr);
}

std::optional<ProgramGrade> gradeProgram(const Task& task, const QString& program,
                                         const std::atomic<bool>& cancel) {
    return gradeOrCancel(task, program, &cancel);
}

QList<ProgramGrade> gradePrograms(const Task& task, const QStringList& programs,
                                  const std::function<void(const ProgramGrade&)>& ready) {
    const std::size_t count = std::size_t(programs.size());
    std::vector<ProgramGrade> grades(count);
    std::vector<bool> done(count, false);
    std::mutex mutex; // guards grades, done, reported and the calls of ready()
    std::size_t reported = 0;
    onAllCores(
        count,
        [&](std::size_t i) {
            ProgramGrade grade = gradeProgram(task, programs[qsizetype(i)]);
            const std::lock_guard lock(mutex);
            grades[i] = std::move(grade);
            done[i] = true;
            while (reported < count && done[reported])
                ready(grades[reported++]);
        },
        [] { return false; });
    return QList<ProgramGrade>(std::make_move_iterator(grades.begin()),
                               std::make_move_iterator(grades.end()));
}

void gradeProgramsAsDone(const Task& task, const QStringList& programs,
                         const std::atomic<bool>& cancel,
                         const std::function<void(qsizetype, ProgramGrade)>& done) {
    std::mutex mutex; // one call of done() at a time
    onAllCores(
        std::size_t(programs.size()),
        [&](std::size_t i) {
            std::optional<ProgramGrade> grade = gradeProgram(task, programs[qsizetype(i)], cancel);
            if (!grade)
                return;
            const std::lock_guard lock(mutex);
            done(qsizetype(i), std::move(*grade));
        },
        [&] { return cancel.load(std::memory_order_relaxed); });
}
