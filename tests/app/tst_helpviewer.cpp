#include "helpfile.h"
#include "helpviewer.h"
#include "look.h"
#include "screenfit.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

// ZEVO_EXE_DIR: the folder of the built zevo executable, where the build puts
// the help file.

namespace {

const QString kHelpPath = QStringLiteral("hilfedateien\\Zevo.hlp");

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString shownText(const HelpViewer& viewer) {
    const auto* text = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    return text != nullptr ? text->toPlainText() : QString();
}

HelpFile builtHelpFile() {
    QFile file(HelpFile::resolve(kHelpPath, QStringLiteral(ZEVO_EXE_DIR)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return HelpFile::parse(QString::fromUtf8(file.readAll()));
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private slots:
    void localPathMapsTheBackslash_data();
    void localPathMapsTheBackslash();
    void resolvesBesideTheExecutableBeforeTheInstalledFolder();
    void parseSplitsTopics();

    void builtHelpFileHasEveryContextNumber();
    void builtHelpFileLinksOnlyToExistingTopics();

    void viewerShowsContentsAndEachContextNumber();
    void viewerFollowsLinksAndGoesBack();
    void viewerOpensInsideTheScreen();
    void examplesInAFixedWidthFace();
    void missingFileIsExplainedInTheViewer();
    void missingTopicIsExplainedInTheViewer();

    void picturesLoadWithTheirSizesAndDiffer();
};

void TestHelpViewer::localPathMapsTheBackslash_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    QTest::newRow("application path") << kHelpPath << QStringLiteral("hilfedateien/Zevo.hlp");
    QTest::newRow("deeper") << QStringLiteral("a\\b\\c.hlp") << QStringLiteral("a/b/c.hlp");
    QTest::newRow("already slashes") << QStringLiteral("a/c.hlp") << QStringLiteral("a/c.hlp");
    QTest::newRow("absolute") << QStringLiteral("/opt/z/Zevo.hlp")
                              << QStringLiteral("/opt/z/Zevo.hlp");
    QTest::newRow("parent") << QStringLiteral("..\\x.hlp") << QStringLiteral("../x.hlp");
}

void TestHelpViewer::localPathMapsTheBackslash() {
    QFETCH(QString, given);
    QFETCH(QString, expected);
    QCOMPARE(HelpFile::localPath(given), expected);
}

void TestHelpViewer::resolvesBesideTheExecutableBeforeTheInstalledFolder() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString exeDir = root.filePath(QStringLiteral("bin"));
    const QString beside = root.filePath(QStringLiteral("bin/hilfedateien/Zevo.hlp"));
    const QString installed = root.filePath(QStringLiteral("share/zevo/hilfedateien/Zevo.hlp"));
    QVERIFY(QDir().mkpath(exeDir));

    QCOMPARE(HelpFile::candidates(kHelpPath, exeDir), QStringList({beside, installed}));
    QCOMPARE(HelpFile::resolve(kHelpPath, exeDir), QString());

    QVERIFY(writeFile(installed, "#topic inhalt Inhalt\n"));
    QCOMPARE(HelpFile::resolve(kHelpPath, exeDir), installed);

    QVERIFY(writeFile(beside, "#topic inhalt Inhalt\n"));
    QCOMPARE(HelpFile::resolve(kHelpPath, exeDir), beside);

    // A folder of the help file's name is not the help file.
    QVERIFY(QFile::remove(beside));
    QVERIFY(QDir().mkpath(beside));
    QCOMPARE(HelpFile::resolve(kHelpPath, exeDir), installed);

    QCOMPARE(HelpFile::resolve(installed, QStringLiteral("/nowhere")), installed);
}

void TestHelpViewer::parseSplitsTopics() {
    const HelpFile file =
        HelpFile::parse(QStringLiteral("before the first topic\r\n"
                                       "#topic inhalt Inhalt\r\n"
                                       "<p>eins</p>\r\n"
                                       "## a remark\r\n"
                                       "<p>zwei</p>\r\n"
                                       "#topic 7 Ungültige Zeilennummer, Abbruch!\n"
                                       "<p>sieben</p>\n"
                                       "#topic 7 Zweites Thema mit derselben Nummer\n"
                                       "#topic leer\n"));
    QCOMPARE(file.topics().size(), 4);
    const HelpTopic* contents = file.topic(QStringLiteral("inhalt"));
    QVERIFY(contents != nullptr);
    QCOMPARE(contents->title, QStringLiteral("Inhalt"));
    QCOMPARE(contents->body, QStringLiteral("<p>eins</p>\n<p>zwei</p>"));
    const HelpTopic* seven = file.topic(QStringLiteral("7"));
    QVERIFY(seven != nullptr);
    QCOMPARE(seven->title, QStringLiteral("Ungültige Zeilennummer, Abbruch!"));
    QCOMPARE(seven->body, QStringLiteral("<p>sieben</p>"));
    QCOMPARE(file.topic(QStringLiteral("leer"))->title, QStringLiteral("leer"));
    QVERIFY(file.topic(QStringLiteral("8")) == nullptr);
}

void TestHelpViewer::builtHelpFileHasEveryContextNumber() {
    const HelpFile file = builtHelpFile();
    QVERIFY2(!file.topics().isEmpty(), "help file missing beside the built executable");
    QVERIFY(file.topic(HelpFile::contentsKey) != nullptr);
    // The error topics carry the run's messages as their titles.
    const QList<std::pair<int, QString>> errors = {
        {1, QStringLiteral("Division durch Null, Abbruch!")},
        {2, QStringLiteral("Unbekanntes Sprungziel, Abbruch!")},
        {3, QStringLiteral("Unbekannter Befehl, Abbruch!")},
        {4, QStringLiteral("Ungültige Registernummer, Abbruch!")},
        {7, QStringLiteral("Ungültige Zeilennummer, Abbruch!")},
        {8, QStringLiteral("Akkumulatorüberlauf, Abbruch!")},
    };
    for (const auto& [number, message] : errors) {
        const HelpTopic* topic = file.topic(QString::number(number));
        QVERIFY2(topic != nullptr, qPrintable(message));
        QCOMPARE(topic->title, message);
    }
    QVERIFY(file.topic(QStringLiteral("5")) != nullptr);
    QVERIFY(file.topic(QStringLiteral("6")) != nullptr);
    // The instruction set names all twenty mnemonics.
    const QString instructions = file.topic(QStringLiteral("befehle"))->body;
    for (const char* mnemonic :
         {"load",  "iload", "cload", "add",  "iadd", "cadd",  "sub",    "isub", "csub",  "mult",
          "imult", "cmult", "div",   "idiv", "cdiv", "store", "istore", "goto", "jzero", "end"})
        QVERIFY2(instructions.contains(QStringLiteral("<code>%1").arg(QLatin1String(mnemonic))),
                 mnemonic);
}

void TestHelpViewer::builtHelpFileLinksOnlyToExistingTopics() {
    const HelpFile file = builtHelpFile();
    QVERIFY(!file.topics().isEmpty());
    static const QRegularExpression link(QStringLiteral("href=\"topic:([^\"]*)\""));
    QSet<QString> linked;
    for (const HelpTopic& topic : file.topics()) {
        for (const auto& match : link.globalMatch(topic.body)) {
            const QString key = match.captured(1);
            QVERIFY2(file.topic(key) != nullptr,
                     qPrintable(QStringLiteral("%1 -> %2").arg(topic.key, key)));
            linked.insert(key);
        }
    }
    // Every topic can be reached from somewhere.
    for (const HelpTopic& topic : file.topics())
        QVERIFY2(topic.key == HelpFile::contentsKey || linked.contains(topic.key),
                 qPrintable(topic.key));
}

void TestHelpViewer::viewerShowsContentsAndEachContextNumber() {
    HelpViewer viewer;
    viewer.setBaseDirectory(QStringLiteral(ZEVO_EXE_DIR));
    viewer.setHelpFile(kHelpPath);
    QVERIFY(!viewer.isVisible());

    viewer.showContents();
    QVERIFY(viewer.isVisible());
    QVERIFY(viewer.isWindow());
    QCOMPARE(viewer.currentTopicKey(), HelpFile::contentsKey);
    QVERIFY(shownText(viewer).contains(QStringLiteral("Fehlermeldungen")));

    const HelpFile file = builtHelpFile();
    for (int number = 1; number <= 8; ++number) {
        viewer.showTopic(number);
        QCOMPARE(viewer.currentTopicKey(), QString::number(number));
        QVERIFY(shownText(viewer).startsWith(file.topic(QString::number(number))->title));
        QVERIFY(viewer.windowTitle().contains(file.topic(QString::number(number))->title));
    }
}

void TestHelpViewer::viewerFollowsLinksAndGoesBack() {
    HelpViewer viewer;
    viewer.setBaseDirectory(QStringLiteral(ZEVO_EXE_DIR));
    viewer.setHelpFile(kHelpPath);
    auto* text = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    auto* back = viewer.findChild<QPushButton*>(QStringLiteral("HelpBackButton"));
    auto* contents = viewer.findChild<QPushButton*>(QStringLiteral("HelpContentsButton"));
    QVERIFY(text && back && contents);

    viewer.showTopic(3);
    QVERIFY(!back->isEnabled());
    emit text->anchorClicked(QUrl(QStringLiteral("topic:befehle")));
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("befehle"));
    QVERIFY(back->isEnabled());
    emit text->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("befehle"));

    QTest::mouseClick(contents, Qt::LeftButton);
    QCOMPARE(viewer.currentTopicKey(), HelpFile::contentsKey);
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("befehle"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("3"));
    QVERIFY(!back->isEnabled());

    emit text->anchorClicked(QUrl(QStringLiteral("topic:gibtsnicht")));
    QCOMPARE(viewer.currentTopicKey(), QString());
    QVERIFY(shownText(viewer).contains(QStringLiteral("Das Thema „gibtsnicht“ gibt es")));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("3"));
}

// "monospace" alone gave Windows' serif face: the examples lost their columns.
void TestHelpViewer::examplesInAFixedWidthFace() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("hilfedateien/Zevo.hlp")),
                      "#topic inhalt Inhalt\n<pre>10 load 1</pre>\n"));
    HelpViewer viewer;
    viewer.setBaseDirectory(dir.path());
    viewer.setHelpFile(kHelpPath);
    viewer.showContents();
    const auto* text = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    QTextBlock block = text->document()->begin();
    while (block.isValid() && !block.text().startsWith(u"10 load 1"))
        block = block.next();
    QVERIFY2(block.isValid(), qPrintable(text->toPlainText()));
    const QFont face = block.begin().fragment().charFormat().font();
    QCOMPARE(face.families().value(0), Look::fixedFontFamily());
}

// Left to the window manager, the viewer came up partly below the screen.
void TestHelpViewer::viewerOpensInsideTheScreen() {
    HelpViewer viewer;
    viewer.setHelpFile(kHelpPath);
    viewer.showContents();
    const QRect frame = QRect(viewer.pos(), viewer.size()).marginsAdded(ScreenFit::AssumedFrame);
    QVERIFY(viewer.screen()->availableGeometry().contains(frame));
}

void TestHelpViewer::missingFileIsExplainedInTheViewer() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    HelpViewer viewer;
    viewer.setBaseDirectory(empty.path());

    viewer.showContents();
    QVERIFY(viewer.isVisible());
    QVERIFY(shownText(viewer).contains(QStringLiteral("keine Hilfedatei eingestellt")));

    viewer.setHelpFile(kHelpPath);
    for (const int number : {0, 5}) {
        if (number == 0)
            viewer.showContents();
        else
            viewer.showTopic(number);
        const QString text = shownText(viewer);
        QCOMPARE(viewer.currentTopicKey(), QString());
        QVERIFY2(text.contains(QStringLiteral(
                     "Die Hilfedatei „hilfedateien\\Zevo.hlp“ wurde nicht gefunden.")),
                 qPrintable(text));
        QVERIFY(
            text.contains(QDir(empty.path()).filePath(QStringLiteral("hilfedateien/Zevo.hlp"))));
    }
}

void TestHelpViewer::missingTopicIsExplainedInTheViewer() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(writeFile(root.filePath(QStringLiteral("hilfedateien/Zevo.hlp")),
                      "#topic inhalt Inhalt\n<p>Nur das Inhaltsverzeichnis.</p>\n"));
    HelpViewer viewer;
    viewer.setBaseDirectory(root.path());
    viewer.setHelpFile(kHelpPath);

    viewer.showTopic(4);
    QCOMPARE(viewer.currentTopicKey(), QString());
    QVERIFY(shownText(viewer).contains(
        QStringLiteral("Zur Kontextnummer 4 enthält die Hilfedatei kein Thema.")));
    QVERIFY(shownText(viewer).contains(QStringLiteral("Zum Inhaltsverzeichnis")));

    // A file without a contents page still offers its topics.
    QVERIFY(writeFile(root.filePath(QStringLiteral("hilfedateien/Zevo.hlp")),
                      "#topic 5 Info\n<p>Zevo</p>\n"));
    viewer.showContents();
    QCOMPARE(viewer.currentTopicKey(), QString());
    QVERIFY(shownText(viewer).contains(QStringLiteral("enthält kein Inhaltsverzeichnis")));
    QVERIFY(shownText(viewer).contains(QStringLiteral("Info")));
    viewer.showTopic(5);
    QCOMPARE(viewer.currentTopicKey(), QStringLiteral("5"));
}

void TestHelpViewer::picturesLoadWithTheirSizesAndDiffer() {
    QList<QImage> images;
    for (int i = 0; i < 16; ++i) {
        const QString path =
            QStringLiteral(":/icons/toolbar/%1.png").arg(i, 2, 10, QLatin1Char('0'));
        QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(16, 16));
        images.append(image.convertToFormat(QImage::Format_ARGB32));
    }
    QImage icon(QStringLiteral(":/icons/zevo.png"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(32, 32));
    images.append(icon.convertToFormat(QImage::Format_ARGB32));

    for (qsizetype a = 0; a < images.size(); ++a) {
        // Not empty: a picture has a good share of visible pixels.
        int opaque = 0;
        for (int y = 0; y < images[a].height(); ++y)
            for (int x = 0; x < images[a].width(); ++x)
                opaque += qAlpha(images[a].pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY2(opaque * 4 > images[a].width() * images[a].height() / 2,
                 qPrintable(QString::number(a)));
        for (qsizetype b = a + 1; b < images.size(); ++b)
            QVERIFY2(images[a] != images[b], qPrintable(QStringLiteral("%1 == %2").arg(a).arg(b)));
    }
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
