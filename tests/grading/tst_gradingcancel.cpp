#include "grading.h"
#include "taskfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

// R1 counted down to 0, five steps a round: long runs that cross many slices.
const QByteArray Countdown = "10 load 1\r\n20 jzero 60\r\n30 csub 1\r\n40 store 1\r\n50 goto 10\r\n"
                             "60 end\r\n";

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

} // namespace

class TestGradingCancel : public QObject {
    Q_OBJECT
private slots:
    void slicedRunEqualsOnePiece_data();
    void slicedRunEqualsOnePiece();
    void cancelEndsALongCaseAtOnce();
};

// A run asked between slices must end exactly as in one piece, above all at
// a slice's end and at the step limit.
void TestGradingCancel::slicedRunEqualsOnePiece_data() {
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("limit");
    for (const int r1 : {13106, 13107, 13108, 26214, 40000})
        for (const int limit : {65535, 65536, 65537, 65538, 131072, 200000, 2147483647})
            QTest::addRow("R1=%d limit %d", r1, limit) << r1 << limit;
}

void TestGradingCancel::slicedRunEqualsOnePiece() {
    QFETCH(int, r1);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString program = writeFile(dir, QStringLiteral("p.rmp"), Countdown);
    const Task task =
        parseTask(QStringLiteral("Schrittlimit: %1\nR1=%2 -> R1=0\n").arg(limit).arg(r1).toUtf8(),
                  QStringLiteral("t.aufgabe"));
    const std::atomic<bool> never{false};
    const ProgramGrade whole = gradeProgram(task, program);
    const std::optional<ProgramGrade> sliced = gradeProgram(task, program, never);
    QVERIFY(sliced);
    QCOMPARE(sliced->cases.size(), 1);
    const CaseGrade& a = whole.cases.front();
    const CaseGrade& b = sliced->cases.front();
    QCOMPARE(b.steps, a.steps);
    QCOMPARE(b.passed, a.passed);
    QCOMPARE(b.got, a.got);
    QCOMPARE(b.message, a.message);
}

// A case may run towards the largest step limit; "Abbrechen" must not wait for it.
void TestGradingCancel::cancelEndsALongCaseAtOnce() {
    QTemporaryDir dir;
    QStringList programs;
    for (int i = 0; i < 4; ++i)
        programs << writeFile(dir, QStringLiteral("endlos%1.rmp").arg(i), "10 goto 10\r\n");
    const Task task =
        parseTask("Schrittlimit: 2147483647\nR1=1 -> R1=1\n", QStringLiteral("t.aufgabe"));
    std::atomic<bool> cancel{false};
    int handedOver = 0;
    QElapsedTimer sinceCancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        sinceCancel.start();
        cancel = true;
    });
    gradeProgramsAsDone(task, programs, cancel, [&](qsizetype, ProgramGrade) { ++handedOver; });
    const qint64 latency = sinceCancel.elapsed();
    canceller.join();
    QCOMPARE(handedOver, 0);
    qInfo("cancel answered after %lld ms", latency);
    // Well within a second even on a busy machine; without the slices it takes seconds.
    QVERIFY2(latency < 1000, qPrintable(QString::number(latency)));
}

QTEST_GUILESS_MAIN(TestGradingCancel)
#include "tst_gradingcancel.moc"
