#include "casesmodel.h"
#include "commandline.h"
#include "gradingcontroller.h"
#include "gradingreport.h"
#include "nativename.h"
#include "pruefencommandline.h"
#include "pruefendialogs.h"
#include "pruefenwindow.h"
#include "resultsmodel.h"
#include "taskfile.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

class FakeDialogs final : public PruefenDialogs {
public:
    QStringList errors;
    std::optional<SaveChoice> save;
    QStringList helpKeys;
    QString started;
    QStringList startedArguments;

    void showError(const QString& message) override { errors << message; }
    QString openTaskFile() override { return {}; }
    QStringList openProgramFiles() override { return {}; }
    QString chooseFolder() override { return {}; }
    std::optional<SaveChoice> saveResultsFile() override { return save; }
    void helpTopic(const QString& key) override { helpKeys << key; }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started = program;
        startedArguments = arguments;
        return true;
    }
};

const QString Examples = QStringLiteral(ZEVO_EXAMPLES_DIR);

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void trigger(PruefenWindow& window, const char* action) {
    auto* a = window.findChild<QAction*>(QString::fromLatin1(action));
    QVERIFY(a);
    QVERIFY(a->isEnabled());
    a->trigger();
}

bool gradingDone(PruefenWindow& window) {
    return !window.controller().busy() && !window.controller().threadsRunning();
}

} // namespace

class TestPruefenWindow : public QObject {
    Q_OBJECT
private slots:
    void examplesGradeAsZevoRun_data();
    void examplesGradeAsZevoRun();
    void folderGivesItsProgramsOnce();
    void unreadableProgramsSayWhy();
    void cancelAnswersAtOnce();
    void savedProgramIsGradedAgain();
    void resultsSavedAsZevoRunWritesThem_data();
    void resultsSavedAsZevoRunWritesThem();
    void symbolicLinkIsNeverWrittenThrough();
    void simulatorStartsWithTheCaseRegisters();
    void droppedFilesAreOpenedAndSorted();
    void commandLine_data();
    void commandLine();
    void screenReaderFindsTaskAndVerdicts_data();
    void screenReaderFindsTaskAndVerdicts();
    void badTaskFileNamesTheFile_data();
    void badTaskFileNamesTheFile();
};

void TestPruefenWindow::examplesGradeAsZevoRun_data() {
    QTest::addColumn<QString>("name");
    for (const QString& task : QDir(Examples).entryList({QStringLiteral("*.aufgabe")}))
        QTest::newRow(qPrintable(task)) << task.chopped(8);
}

// The window's rows say what zevo-run's report says, program by program,
// for every example task with its program and all the wrong ones.
void TestPruefenWindow::examplesGradeAsZevoRun() {
    QFETCH(QString, name);
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    const QString task = Examples + u'/' + name + QStringLiteral(".aufgabe");
    window.addPrograms(
        {Examples + u'/' + name + QStringLiteral(".rmp"), Examples + QStringLiteral("/falsch")});
    QVERIFY(window.openTask(task));
    QTRY_VERIFY(gradingDone(window));

    QStringList programs;
    for (int row = 0; row < window.results().size(); ++row)
        programs << window.results().entry(row).path;
    QCOMPARE(programs.size(), 7);
    QProcess zevoRun;
    zevoRun.start(QStringLiteral(ZEVO_RUN_PATH),
                  QStringList{QStringLiteral("--aufgabe"), task} + programs);
    QVERIFY(zevoRun.waitForFinished(60000));
    const QStringList report = QString::fromUtf8(zevoRun.readAllStandardOutput()).split(u'\n');
    for (int row = 0; row < programs.size(); ++row) {
        const ProgramEntry& e = window.results().entry(row);
        QVERIFY(e.grade);
        QCOMPARE(programReportLine(*window.results().task(), *e.grade), report.value(row + 1));
    }
    QCOMPARE(window.results().verdict(0), Verdict::Passed);
    QVERIFY(dialogs.errors.isEmpty());
}

// Non-recursive, any case of ".rmp", in name order; a file named twice once.
void TestPruefenWindow::folderGivesItsProgramsOnce() {
    QTemporaryDir dir;
    const QByteArray ggt = readFile(Examples + QStringLiteral("/ggt.rmp"));
    writeFile(dir.filePath(QStringLiteral("b.RMP")), ggt);
    writeFile(dir.filePath(QStringLiteral("a.rmp")), ggt);
    writeFile(dir.filePath(QStringLiteral("notizen.txt")), "x");
    QDir(dir.path()).mkdir(QStringLiteral("unter"));
    writeFile(dir.filePath(QStringLiteral("unter/c.rmp")), ggt);
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms({dir.path(), dir.path() + QStringLiteral("/./a.rmp")});
    QCOMPARE(window.results().size(), 2);
    QCOMPARE(window.results().entry(0).path, dir.path() + QStringLiteral("/a.rmp"));
    QCOMPARE(window.results().entry(1).path, dir.path() + QStringLiteral("/b.RMP"));
    QCOMPARE(window.results().verdict(0), Verdict::NotGraded);
}

void TestPruefenWindow::unreadableProgramsSayWhy() {
#ifdef Q_OS_WIN
    QSKIP("FIFOs and byte names are POSIX");
#else
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    QVERIFY(::mkfifo(folder + "/fifo.rmp", 0600) == 0);
    // A Latin-1 name is still read, and shown with its byte escaped.
    const int fd = ::open(folder + "/M\xfcller.rmp", O_WRONLY | O_CREAT, 0600);
    const QByteArray ggt = readFile(Examples + QStringLiteral("/ggt.rmp"));
    QVERIFY(fd >= 0 && ::write(fd, ggt.constData(), size_t(ggt.size())) == ggt.size());
    ::close(fd);
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms({dir.path(), dir.filePath(QStringLiteral("fehlt.rmp"))});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    QCOMPARE(window.results().size(), 3);
    const auto shown = [&](int row, int column) {
        return window.results()
            .data(window.results().index(row, column), Qt::DisplayRole)
            .toString();
    };
    QCOMPARE(shown(1, ResultsModel::ProgramColumn), dir.path() + QStringLiteral("/M\\xfcller.rmp"));
    QCOMPARE(window.results().verdict(1), Verdict::Passed);
    QVERIFY(::unlink(folder + "/M\xfcller.rmp") == 0); // QTemporaryDir cannot remove it
    for (const int row : {0, 2}) {
        QCOMPARE(window.results().verdict(row), Verdict::Unreadable);
        QVERIFY(shown(row, ResultsModel::VerdictColumn)
                    .startsWith(QStringLiteral("nicht lesbar: Datei ")));
        QVERIFY(shown(row, ResultsModel::VerdictColumn)
                    .contains(QStringLiteral(".rmp kann nicht geöffnet werden")));
    }
#endif
}

// A case may run towards 2,147,483,647 steps: "Abbrechen" gives it up at once,
// and no late result of it reaches a row afterwards.
void TestPruefenWindow::cancelAnswersAtOnce() {
    QTemporaryDir dir;
    const QString task = writeFile(dir.filePath(QStringLiteral("t.aufgabe")),
                                   "Schrittlimit: 2147483647\nR1=1 -> R1=1\n");
    const QString endless = writeFile(dir.filePath(QStringLiteral("endlos.rmp")), "10 goto 10\r\n");
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms({endless});
    QVERIFY(window.openTask(task));
    QVERIFY(window.controller().busy());
    QTest::qWait(50);
    QElapsedTimer timer;
    timer.start();
    trigger(window, "AbbrechenAction");
    QCOMPARE(window.results().verdict(0), Verdict::Cancelled);
    QVERIFY(!window.controller().busy());
    QTRY_VERIFY_WITH_TIMEOUT(!window.controller().threadsRunning(), 1000);
    qInfo("threads ended %lld ms after Abbrechen", timer.elapsed());
    QCOMPARE(window.results().verdict(0), Verdict::Cancelled);
}

// A student saves in Zevo (by renaming a new file over the old one, as
// editors do, or in place): the row is graded again.
void TestPruefenWindow::savedProgramIsGradedAgain() {
    QTemporaryDir dir;
    const QString program =
        writeFile(dir.filePath(QStringLiteral("anna.rmp")),
                  readFile(Examples + QStringLiteral("/falsch/ggt_tippfehler.rmp")));
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    const QString later = dir.filePath(QStringLiteral("ben.rmp"));
    window.addPrograms({program, later});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    QCOMPARE(window.results().verdict(0), Verdict::Failed);
    QCOMPARE(window.results().verdict(1), Verdict::Unreadable);
    // A program saved for the first time after it was listed.
    writeFile(later, readFile(Examples + QStringLiteral("/ggt.rmp")));
    QTRY_COMPARE_WITH_TIMEOUT(window.results().verdict(1), Verdict::Passed, 10000);

    const QString saved = writeFile(dir.filePath(QStringLiteral("anna.rmp.neu")),
                                    readFile(Examples + QStringLiteral("/ggt.rmp")));
#ifdef Q_OS_WIN
    QFile::remove(program); // no rename over a file there
#endif
    QVERIFY(std::rename(QFile::encodeName(saved), QFile::encodeName(program)) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(window.results().verdict(0), Verdict::Passed, 10000);

    writeFile(program, readFile(Examples + QStringLiteral("/falsch/ggt_tippfehler.rmp")));
    QTRY_COMPARE_WITH_TIMEOUT(window.results().verdict(0), Verdict::Failed, 10000);
}

void TestPruefenWindow::resultsSavedAsZevoRunWritesThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("written");
    QTest::newRow("csv") << "e.csv" << int(TableKind::Csv) << "e.csv";
    QTest::newRow("json") << "e.json" << int(TableKind::Json) << "e.json";
    QTest::newRow("the ending decides") << "e.csv" << int(TableKind::Json) << "e.csv";
    QTest::newRow("no ending: the filter's") << "e" << int(TableKind::Json) << "e.json";
    QTest::newRow("workbook") << "e.xlsx" << int(TableKind::Workbook) << "e.xlsx";
}

void TestPruefenWindow::resultsSavedAsZevoRunWritesThem() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, written);
    QTemporaryDir dir;
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms(
        {Examples + QStringLiteral("/ggt.rmp"), Examples + QStringLiteral("/falsch")});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    dialogs.save = PruefenDialogs::SaveChoice{dir.filePath(name), TableKind(kind)};
    trigger(window, "ErgebnisseSpeichernAction");
    QVERIFY2(dialogs.errors.isEmpty(), qPrintable(dialogs.errors.join(u'\n')));
    const QByteArray bytes = readFile(dir.filePath(written));
    const Task& task = *window.results().task();
    const QList<ProgramGrade> grades = *window.results().allGrades();
    if (written.endsWith(QStringLiteral(".csv")))
        QCOMPARE(bytes, csvTable(task, grades));
    else if (written.endsWith(QStringLiteral(".json")))
        QCOMPARE(bytes, jsonTable(task, grades));
    else
        QVERIFY(isGradingTable(TableKind::Workbook, bytes));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestPruefenWindow::symbolicLinkIsNeverWrittenThrough() {
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shortcut (.lnk) on Windows, not a link under the name given");
#endif
    QTemporaryDir dir;
    const QString victim = writeFile(dir.filePath(QStringLiteral("anna.rmp")), "10 end\r\n");
    QVERIFY(QFile::link(victim, dir.filePath(QStringLiteral("ergebnis.csv"))));
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms({Examples + QStringLiteral("/ggt.rmp")});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    dialogs.save =
        PruefenDialogs::SaveChoice{dir.filePath(QStringLiteral("ergebnis.csv")), TableKind::Csv};
    trigger(window, "ErgebnisseSpeichernAction");
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(dialogs.errors.first().contains(QStringLiteral("ergebnis.csv")));
    QCOMPARE(readFile(victim), QByteArray("10 end\r\n"));
}

void TestPruefenWindow::simulatorStartsWithTheCaseRegisters() {
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.setSimulatorPath(QStringLiteral("/opt/zevo/zevo"));
    window.addPrograms({Examples + QStringLiteral("/falsch/ggt_tippfehler.rmp")});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    auto* cases = window.findChild<QTableView*>(QStringLiteral("ProgrammFaelleTable"));
    QVERIFY(cases);
    cases->setCurrentIndex(cases->model()->index(1, 0));
    trigger(window, "ImSimulatorOeffnenAction");
    QCOMPARE(dialogs.started, QStringLiteral("/opt/zevo/zevo"));
    QCOMPARE(
        dialogs.startedArguments,
        (QStringList{
            QFileInfo(Examples + QStringLiteral("/falsch/ggt_tippfehler.rmp")).absoluteFilePath(),
            QStringLiteral("-r"), QStringLiteral("1=18"), QStringLiteral("-r"),
            QStringLiteral("2=12")}));
    trigger(window, "HilfeAction");
    QCOMPARE(dialogs.helpKeys, QStringList{QStringLiteral("aufgaben")});
}

// A task file and a folder dropped on the window; then the table sorted by
// its verdict, the words a screen reader reads with it.
void TestPruefenWindow::droppedFilesAreOpenedAndSorted() {
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Examples + QStringLiteral("/falsch")),
                  QUrl::fromLocalFile(Examples + QStringLiteral("/ggt.aufgabe")),
                  QUrl::fromLocalFile(Examples + QStringLiteral("/ggt.rmp"))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: QApplication passes a drop on only during a real drag.
    static_cast<QObject&>(window).event(&drop);
    QTRY_VERIFY(gradingDone(window));
    QCOMPARE(window.results().size(), 7);
    QCOMPARE(window.results().verdict(6), Verdict::Passed);

    auto* table = window.findChild<QTableView*>(QStringLiteral("ErgebnisseTable"));
    QVERIFY(table && !table->accessibleName().isEmpty());
    table->sortByColumn(ResultsModel::VerdictColumn, Qt::AscendingOrder);
    const QModelIndex first = table->model()->index(0, ResultsModel::VerdictColumn);
    QCOMPARE(first.data(Qt::AccessibleTextRole).toString(), QStringLiteral("bestanden"));
    QCOMPARE(table->model()->index(0, ResultsModel::ProgramColumn).data().toString(),
             Examples + QStringLiteral("/ggt.rmp"));
    QVERIFY(first.data(Qt::AccessibleDescriptionRole)
                .toString()
                .endsWith(QStringLiteral("7 von 7 Fällen bestanden, höchstens 8005 Schritte")));
}

void TestPruefenWindow::screenReaderFindsTaskAndVerdicts_data() {
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("task") << int(QAccessible::StaticText)
                          << "Aufgabe: Größter gemeinsamer Teiler (7 Fälle, Schrittlimit 100000)";
    QTest::newRow("results") << int(QAccessible::Table) << "Ergebnisse der Programme";
    QTest::newRow("verdict") << int(QAccessible::Cell) << "nicht bestanden";
    QTest::newRow("summary") << int(QAccessible::StaticText)
                             << "Ergebnis: 0 von 1 Programmen haben alle Fälle bestanden.";
    QTest::newRow("cases") << int(QAccessible::Table) << "Fälle des gewählten Programms";
}

// What a screen reader finds when it walks the window's accessibility tree.
void TestPruefenWindow::screenReaderFindsTaskAndVerdicts() {
    QFETCH(int, role);
    QFETCH(QString, name);
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    window.addPrograms({Examples + QStringLiteral("/falsch/ggt_tippfehler.rmp")});
    QVERIFY(window.openTask(Examples + QStringLiteral("/ggt.aufgabe")));
    QTRY_VERIFY(gradingDone(window));
    window.show();
    const std::function<bool(QAccessibleInterface*)> found = [&](QAccessibleInterface* node) {
        if (!node)
            return false;
        if (int(node->role()) == role && node->text(QAccessible::Name) == name)
            return true;
        for (int i = 0; i < node->childCount(); ++i)
            if (found(node->child(i)))
                return true;
        return false;
    };
    QVERIFY(found(QAccessible::queryAccessibleInterface(&window)));
}

void TestPruefenWindow::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("task");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("refusal"); // part of the message; empty: accepted
    QTest::newRow("task, program, folder") << QStringList{"a.rmp", "t.aufgabe", "abgaben"}
                                           << "t.aufgabe" << QStringList{"a.rmp", "abgaben"} << "";
    QTest::newRow("Qt's option and a zoom")
        << QStringList{"-platform", "offscreen", "--zoom", "1,5", "T.AUFGABE"} << "T.AUFGABE"
        << QStringList{} << "";
    QTest::newRow("a name like an option after --")
        << QStringList{"--", "-r.rmp"} << "" << QStringList{"-r.rmp"} << "";
    QTest::newRow("two tasks") << QStringList{"a.aufgabe", "b.aufgabe"} << "" << QStringList{}
                               << "Mehr als eine Aufgabendatei angegeben: a.aufgabe, b.aufgabe";
    QTest::newRow("zoom too large")
        << QStringList{"--zoom", "5"} << "" << QStringList{} << "Ungültiger Wert für --zoom";
}

void TestPruefenWindow::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, task);
    QFETCH(QStringList, programs);
    QFETCH(QString, refusal);
    const WindowCommandLine line = parseWindowCommandLine(arguments);
    const PruefenFiles files = splitPruefenFiles(line.files);
    const QString error = line.error.isEmpty() ? files.error : line.error;
    if (!refusal.isEmpty()) {
        QVERIFY2(error.contains(refusal), qPrintable(error));
        return;
    }
    QCOMPARE(error, QString());
    QCOMPARE(files.task, task);
    QCOMPARE(files.programs, programs);
}

void TestPruefenWindow::badTaskFileNamesTheFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("a case without '->'") << "text";
    QTest::newRow("a folder") << "folder";
#ifndef Q_OS_WIN
    QTest::newRow("a FIFO must not block the window") << "fifo";
#endif
}

void TestPruefenWindow::badTaskFileNamesTheFile() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
#ifdef Q_OS_WIN
    // Windows allows no control character in a name.
    const QString task = dir.filePath(QStringLiteral("kaputt.aufgabe"));
    const QString shown = QStringLiteral("kaputt.aufgabe");
#else
    const QString task = dir.filePath(QStringLiteral("kaputt\x01.aufgabe"));
    const QString shown = QStringLiteral("kaputt\\x01.aufgabe");
#endif
    if (kind == u"text")
        QVERIFY(!writeFile(task, "R1=1 R3\n").isEmpty());
    else if (kind == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(QFileInfo(task).fileName()));
#ifndef Q_OS_WIN
    else
        QVERIFY(::mkfifo(QFile::encodeName(task), 0600) == 0);
#endif
    FakeDialogs dialogs;
    PruefenWindow window(dialogs);
    QVERIFY(!window.openTask(task));
    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY2(dialogs.errors.first().contains(shown), qPrintable(dialogs.errors.first()));
    QVERIFY(!window.results().task());
}

QTEST_MAIN(TestPruefenWindow)
#include "tst_pruefenwindow.moc"
