#include "fuzztargets.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

namespace {

using Target = std::function<int(const uint8_t*, size_t)>;

struct NamedTarget {
    const char* name;
    Target run;
};

const NamedTarget Targets[] = {
    {"integertext", integertextfuzz::fuzzOne}, {"step", stepfuzz::fuzzOne},
    {"protocol", protocolfuzz::fuzzOne},       {"file", filefuzz::fuzzOne},
    {"editorfile", editorfilefuzz::fuzzOne}, {"run", runfuzz::fuzzOne},
};

QStringList inputsOf(const QString& folder) {
    QDir dir(QStringLiteral(ZEVO_FUZZ_DIR) + u'/' + folder);
    QStringList files;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

} // namespace

// A broken invariant aborts inside the target, so a failing input ends this
// process with the target's message on stderr.
class tst_FuzzReplay : public QObject {
    Q_OBJECT
private slots:
    void replay_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("file");
        for (int t = 0; t < int(std::size(Targets)); ++t) {
            const QString name = QString::fromLatin1(Targets[t].name);
            const QStringList corpus = inputsOf(QStringLiteral("corpus/") + name);
            QVERIFY2(!corpus.isEmpty(), qPrintable(name + QStringLiteral(": no seed corpus")));
            for (const QString& file : corpus + inputsOf(QStringLiteral("regressions/") + name)) {
#ifdef Q_OS_WIN
                // "nul" and the like name a device on Windows, not the seed.
                if (QFileInfo(file).baseName().compare(u"nul", Qt::CaseInsensitive) == 0)
                    continue;
#endif
                QTest::newRow(qPrintable(name + u':' + QFileInfo(file).fileName())) << t << file;
            }
        }
    }
    void replay() {
        QFETCH(int, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(Targets[target].run(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                     size_t(bytes.size())),
                 0);
    }

    // The targets must cope with inputs too short for their layout.
    void shortInputs() {
        const uint8_t bytes[2] = {0xFF, 0x7F};
        for (const NamedTarget& t : Targets) {
            for (size_t n = 0; n <= sizeof bytes; ++n)
                QCOMPARE(t.run(bytes, n), 0);
        }
    }
};

QTEST_MAIN(tst_FuzzReplay) // the file target loads into the real editor
#include "tst_fuzzreplay.moc"
