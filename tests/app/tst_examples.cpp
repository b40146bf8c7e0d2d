#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "tRegisterEditor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <map>

// Every shipped example, opened in the real main window (its fixed size and
// font), must run to the result its header promises. The batch runner reads a
// file line as a program line; the window wraps long lines into rows of their
// own, so only this test sees an example that breaks where students run it.

namespace {

class NoWaitWindow : public THauptformular {
public:
    using THauptformular::THauptformular;
    void sleep10ms() override {}
};

using Registers = std::map<int, qint32>;

struct Case {
    Registers inputs;
    Registers outputs;
    int steps;
};

// One run per file with the inputs its header names; all can be typed into the grid.
const std::map<QString, Case>& cases() {
    static const std::map<QString, Case> table{
        {"fakultaet.rmp", {{{1, 5}}, {{2, 120}}, 46}},
        {"ggt.rmp", {{{1, 12}, {2, 18}}, {{3, 6}}, 26}},
        {"maximum.rmp", {{{1, 3}, {2, 9}, {3, 4}, {4, 1}, {5, 7}}, {{6, 9}}, 16}},
        {"multiplikation.rmp", {{{1, 6}, {2, 7}}, {{3, 42}}, 62}},
        {"potenz.rmp", {{{1, 2}, {2, 10}}, {{3, 1024}}, 86}},
        {"quadrate.rmp", {{{1, 4}}, {{10, 1}, {11, 4}, {12, 9}, {13, 16}, {14, 0}}, 64}},
        {"summe.rmp", {{{1, 3}, {10, 4}, {11, 5}, {12, 6}}, {{2, 15}}, 41}},
    };
    return table;
}

} // namespace

class TestExamples : public QObject {
    Q_OBJECT

private slots:
    void examplesRunInTheWindow_data() {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(ZEVO_EXAMPLES_DIR));
        const QStringList names = dir.entryList({QStringLiteral("*.rmp")}, QDir::Files);
        QVERIFY(names.size() >= 7);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }

    void examplesRunInTheWindow() {
        QFETCH(QString, path);
        const auto found = cases().find(QFileInfo(path).fileName());
        QVERIFY2(found != cases().end(), "every example needs a run in this table");
        const Case& c = found->second;

        FakeDialogs dialogs;
        NoWaitWindow window(dialogs);
        TProtokollFormular protocol(dialogs);
        TOptionenFormular options;
        window.attach(protocol, options);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        dialogs.openAnswer = path;
        window.command(QStringLiteral("Oeffnen"))->trigger();
        QCOMPARE(dialogs.log, QStringList{"open:"});

        // Each file line must be one row of the editor: a wrapped comment
        // leaves a row without "//" that the run would reach.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qsizetype fileLines = file.readAll().count("\r\n");
        QCOMPARE(window.ProgramMemo->lineCount(), qint32(fileLines));

        for (const auto& [n, value] : c.inputs)
            window.RegisterEditor->WriteRegister(n, value);
        QTest::keyClick(window.ProgramMemo, Qt::Key_F8);
        QTest::keyClick(window.ProgramMemo, Qt::Key_F6);

        QCOMPARE(dialogs.log.mid(1),
                 QStringList{"information:Programm wurde erfolgreich ausgeführt!"});
        for (const auto& [n, value] : c.outputs)
            QCOMPARE(window.RegisterEditor->ReadRegister(n), value);
        QCOMPARE(window.StepsLabel->text(), QString::number(c.steps));
    }
};

QTEST_MAIN(TestExamples)
#include "tst_examples.moc"
