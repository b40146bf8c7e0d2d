#include "checkedwrite.h"
#include "programfile.h"
#include "codepage.h"
#include "nativename.h"
#include "platformfile.h"
#include "zevoerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A named pipe where the system has them; false where it has none.
bool makeFifo(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return mkfifo(QFile::encodeName(path), 0600) == 0;
#endif
}

constexpr bool HasFifos =
#ifdef Q_OS_WIN
    false;
#else
    true;
#endif

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ZevoError& error) {
        return error.message();
    }
    return QString();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestProgramFile : public QObject {
    Q_OBJECT

#ifndef Q_OS_WIN
    // Runs act with the process's file size limit at bytes (which holds for
    // root too) and SIGXFSZ ignored, so a write past it fails instead.
    template <class Act>
    static bool underSizeLimit(rlim_t bytes, const Act& act) {
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
            return false;
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        const bool limitedNow = setrlimit(RLIMIT_FSIZE, &limited) == 0;
        if (limitedNow)
            act();
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        return limitedNow;
    }
#endif

private slots:
    void everyByteHasItsOwnCharacter() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
        qsizetype bad = 0;
        QCOMPARE(encodeWindows1252(text, &bad), all);
        QCOMPARE(bad, qsizetype(-1));
        // Spot checks of the code page where it differs from Latin-1.
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x8A], QChar(0x0160));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0x81], QChar(0x0081));
        QCOMPARE(text[0xA0], QChar(0x00A0));
    }

    void unencodableCharacterIsNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral(", das in der Datei nicht gespeichert werden kann.");
        QTest::newRow("CJK on line 3")
            << QStringLiteral("10 load 1\r\n20 end\r\n30 ") + QChar(0x4E00) + QStringLiteral(" x")
            << QStringLiteral("Zeile 3 enthält das Zeichen „一“ (U+4E00)") + tail;
        QTest::newRow("C1 control 0x80 is the euro byte")
            << QStringLiteral("a") + QChar(0x0080)
            << QStringLiteral("Zeile 1 enthält das Zeichen „") + QChar(0x0080) +
                   QStringLiteral("“ (U+0080)") + tail;
        QTest::newRow("surrogate pair is one character")
            << QStringLiteral("\r\n") + QString::fromUcs4(U"\U0001F600")
            << QStringLiteral("Zeile 2 enthält das Zeichen „") + QString::fromUcs4(U"\U0001F600") +
                   QStringLiteral("“ (U+1F600)") + tail;
        QTest::newRow("code page only") << QStringLiteral("€ Š ‰ ÿ ") + QChar(0x9D) << QString();
    }
    void unencodableCharacterIsNamed() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(ProgramFile::unencodableMessage(text), message);
    }

    void refusedSaveWritesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rmp"));
        writeBytes(path, "old");
        const QString message =
            errorOf([&] { ProgramFile::save(path, QStringLiteral("neu ") + QChar(0x4E00)); });
        QVERIFY(message.startsWith(QStringLiteral("Zeile 1 enthält")));
        QCOMPARE(readBytes(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.rmp"});
    }

    void loadFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing.rmp"
                                 << "Datei %1 kann nicht geöffnet werden";
        QTest::newRow("directory") << "sub"
                                   << "Datei %1 kann nicht geöffnet werden";
        // Opening a pipe would wait for a writer and freeze the window.
        if (HasFifos)
            QTest::newRow("named pipe") << "pipe.rmp"
                                        << "Datei %1 kann nicht geöffnet werden";
    }
    void loadFailures() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QCOMPARE(makeFifo(dir.filePath(QStringLiteral("pipe.rmp"))), HasFifos);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        // A relative name is reported with its full path.
        const QString got = errorOf([&] { ProgramFile::load(name); });
        QDir::setCurrent(previous);
        QCOMPARE(got, message.arg(QDir::toNativeSeparators(QDir(dir.path()).absoluteFilePath(name))));
    }

#ifndef Q_OS_WIN
    // A name whose bytes are no UTF-8 (written on a Latin-1 system) opens
    // as zevo-run opens it.
    void loadsNameOfForeignBytes() {
        QTemporaryDir dir;
        const QByteArray name = QFile::encodeName(dir.path()) + "/\xdc" "bung.rmp";
        std::FILE* file = std::fopen(name.constData(), "wb");
        QVERIFY(file && std::fputs("10 end", file) >= 0 && std::fclose(file) == 0);
        QCOMPARE(ProgramFile::load(decodeArgument(name)), QStringLiteral("10 end"));
        // Saving it must not write another file, named as Qt would encode it.
        const QString path = decodeArgument(name);
        QCOMPARE(errorOf([&] { ProgramFile::save(path, QStringLiteral("20 end")); }),
                 QStringLiteral("Datei %1 kann nicht erstellt werden")
                     .arg(QFileInfo(dir.path()).absoluteFilePath() + "/\\xdcbung.rmp"));
        QCOMPARE(PlatformFile::folderEntries(dir.path()), QStringList{path.section(u'/', -1)});
        QCOMPARE(ProgramFile::load(path), QStringLiteral("10 end"));
        QCOMPARE(std::remove(name.constData()), 0); // QTemporaryDir cannot name it
    }
#endif

    void capacityIsTheLimit() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.rmp"));
        writeBytes(path, QByteArray(ProgramFile::Capacity, 'x'));
        QCOMPARE(ProgramFile::load(path).size(), ProgramFile::Capacity);
        writeBytes(path, QByteArray(ProgramFile::Capacity + 1, 'x'));
        QCOMPARE(errorOf([&] { ProgramFile::load(path); }),
                 QStringLiteral("Text überschreitet Memo-Kapazität"));
    }

    void uncreatableFileIsNamed_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "gone/p.rmp";
        // Replaced by a plain file before; a pipe without a reader must not
        // block the window either.
        if (HasFifos)
            QTest::newRow("named pipe") << "pipe.rmp";
    }
    void uncreatableFileIsNamed() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QCOMPARE(makeFifo(dir.filePath(QStringLiteral("pipe.rmp"))), HasFifos);
        QCOMPARE(errorOf([&] { ProgramFile::save(path, QStringLiteral("10 end")); }),
                 QStringLiteral("Datei %1 kann nicht erstellt werden").arg(QDir::toNativeSeparators(path)));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("pipe.rmp"))).isFile() == false);
    }

    // A write that fails half-way (here: the file size limit of the process,
    // which holds for root too) keeps the old file whole and leaves no debris,
    // also when the text is small enough to sit in a write buffer until commit.
    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("beyond a buffer") << 100000;
        QTest::newRow("within a buffer") << 3000;
    }
    void failedWriteKeepsOldFile() {
#ifdef Q_OS_WIN
        QSKIP("a file size limit of the process is POSIX's (RLIMIT_FSIZE)");
#else
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rmp"));
        writeBytes(path, "10 end\r\n");
        QString message;
        QVERIFY(underSizeLimit(1000, [&] {
            message = errorOf([&] { ProgramFile::save(path, QString(size, u'x')); });
        }));
        QCOMPARE(message, QStringLiteral("Stream-Schreibfehler"));
        QCOMPARE(readBytes(path), QByteArray("10 end\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.rmp"});
#endif
    }

    // Where the file must be written in place, a failed write gives the old
    // content back (here the size limit stops the new one half-way; it holds
    // for root too, who could otherwise write any folder).
    void failedWriteInPlaceKeepsOldContent() {
#ifdef Q_OS_WIN
        QSKIP("a file size limit of the process is POSIX's (RLIMIT_FSIZE)");
#else
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rmp"));
        writeBytes(path, QByteArray(500, 'o'));
        CheckedWrite result = CheckedWrite::Written;
        QVERIFY(underSizeLimit(1000, [&] { result = writeInPlace(path, QByteArray(3000, 'n')); }));
        QCOMPARE(result, CheckedWrite::Failed);
        QCOMPARE(readBytes(path), QByteArray(500, 'o'));
        QCOMPARE(writeInPlace(path, "10 end"), CheckedWrite::Written);
        QCOMPARE(readBytes(path), QByteArray("10 end"));
#endif
    }

    // No temporary file can be made in a folder the user may not write; the
    // file itself may be written all the same.
    void writableFileInReadOnlyFolder() {
#ifdef Q_OS_WIN
        QSKIP("a read-only folder is POSIX's: on Windows the attribute does not stop writes");
#else
        if (geteuid() == 0)
            QSKIP("root may write into any folder");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rmp"));
        writeBytes(path, QByteArray(500, 'o'));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const QString message = errorOf([&] { ProgramFile::save(path, QStringLiteral("10 end")); });
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(message, QString());
        QCOMPARE(readBytes(path), QByteArray("10 end"));
#endif
    }

    void saveReplacesWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rmp"));
        writeBytes(path, QByteArray(500, 'o'));
        ProgramFile::save(path, QStringLiteral("€\r\nä"));
        QCOMPARE(readBytes(path), QByteArray("\x80\r\n\xE4"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFile)
#include "tst_programfile.moc"
