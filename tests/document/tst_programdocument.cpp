#include "RMProgramEditor.h"
#include "fakedialogs.h"
#include "fakes.h"
#include "nativename.h"
#include "programdocument.h"
#include "programfile.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <cstdio>

namespace {

// Listens to the document as the main window does and logs what it is told.
class DocumentListener {
public:
    void listenTo(ProgramDocument& document) {
        const auto logAs = [this](const char* entry) {
            return [this, entry] { log << QString::fromLatin1(entry); };
        };
        QObject::connect(&document, &ProgramDocument::newProgramBegun, logAs("newProgramBegun"));
        QObject::connect(&document, &ProgramDocument::programEmptied, logAs("programEmptied"));
        QObject::connect(&document, &ProgramDocument::newProgramReady, logAs("newProgramReady"));
        QObject::connect(&document, &ProgramDocument::programLoaded, logAs("programLoaded"));
        QObject::connect(&document, &ProgramDocument::captionChanged, [this](const QString& text) {
            log << QStringLiteral("caption:") + text;
            caption = text;
        });
    }

    QStringList log;
    QString caption = QStringLiteral("Zevo 1.0");
};

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray NewProgramBytes =
    "10 \r\n20 \r\n30 \r\n40 \r\n50 \r\n60 \r\n70 \r\n80 \r\n90 \r\n100 \r\n";

} // namespace

class TestProgramDocument : public QObject {
    Q_OBJECT

    // The main window's editor, shown beside another control that can hold the focus.
    struct Fixture {
        Fixture() {
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(&editor);
            layout->addWidget(&other);
            editor.setFixedSize(225, 353);
            window.show();
            host.listenTo(document);
        }
        QWidget window;
        TRMProgramEditor editor;
        QLineEdit other;
        DocumentListener host;
        PlainSettings settings;
        FakeDialogs dialogs;
        ProgramDocument document{editor, settings, dialogs};
        QTemporaryDir dir;
        QString path(const QString& name) const { return dir.filePath(name); }
    };

private slots:
    void newThenSaveGivesTheTemplateFile() {
        Fixture f;
        f.editor.replaceWholeText(QStringLiteral("alt"));
        f.document.NeuClick();
        QCOMPARE(f.host.log, (QStringList{"newProgramBegun", "programEmptied", "caption:Zevo 1.0",
                                          "newProgramReady"}));
        QCOMPARE(f.editor.caretPosition(), 3);
        QVERIFY(!f.editor.textCursor().hasSelection());
        f.document.NeuClick(); // the same ten lines, not twenty
        QCOMPARE(f.editor.lineCount(), 10);

        f.dialogs.saveAnswer = f.path(QStringLiteral("neu"));
        f.document.SpeichernClick();
        QCOMPARE(f.dialogs.log, QStringList{"save:test"});
        const QString saved = f.path(QStringLiteral("neu.rmp"));
        QCOMPARE(readBytes(saved), NewProgramBytes);
        QCOMPARE(readBytes(saved).size(), 51);
        QCOMPARE(f.document.getActFileName(), saved);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (neu.rmp)"));

        // A known file is saved without a dialog and without a caption change.
        f.host.log.clear();
        f.editor.replaceWholeText(QStringLiteral("10 end"));
        f.document.SpeichernClick();
        QCOMPARE(f.dialogs.log.size(), 1);
        QCOMPARE(f.host.log, QStringList{});
        QCOMPARE(readBytes(saved), QByteArray("10 end"));

        f.document.NeuClick();
        QCOMPARE(f.document.getActFileName(), QString());
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0"));
    }

    void saveDialogRemembersItsOwnName() {
        Fixture f;
        const QString other = f.path(QStringLiteral("other.rmp"));
        writeBytes(other, "10 end");
        f.dialogs.saveAnswer = f.path(QStringLiteral("a"));
        f.document.SpeichernunterClick();
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (a.rmp)"));
        f.dialogs.openAnswer = other;
        f.document.OeffnenClick();
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (other.rmp)"));
        f.document.NeuClick();
        // Save as offers the name chosen last in the save dialog, not the opened file.
        f.dialogs.saveAnswer = f.path(QStringLiteral("b.txt")); // an extension is kept
        f.document.SpeichernClick();
        f.document.SpeichernunterClick();
        f.dialogs.openAnswer.clear();
        f.document.OeffnenClick();
        QCOMPARE(f.dialogs.log, (QStringList{"save:test", "open:", "save:" + f.path("a.rmp"),
                                             "save:" + f.path("b.txt"), "open:" + other}));
        QVERIFY(QFile::exists(f.path(QStringLiteral("b.txt"))));
    }

    void cancelledDialogsChangeNothing() {
        Fixture f;
        const QString path = f.path(QStringLiteral("p.rmp"));
        writeBytes(path, "10 load 1");
        f.dialogs.openAnswer = path;
        f.document.OeffnenClick();
        f.editor.replaceWholeText(QStringLiteral("20 end"));
        f.host.log.clear();
        f.dialogs.openAnswer.clear();
        f.dialogs.saveAnswer.clear();
        f.document.OeffnenClick();
        f.document.SpeichernunterClick();
        QCOMPARE(f.host.log, QStringList{});
        QCOMPARE(f.editor.wholeText(), QStringLiteral("20 end"));
        QCOMPARE(f.document.getActFileName(), path);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (p.rmp)"));
        QCOMPARE(readBytes(path), QByteArray("10 load 1"));
    }

#ifndef Q_OS_WIN
    // A name from the command line whose bytes are not UTF-8: the caption
    // shows the byte as the messages do, not as a replacement box.
    void captionOfForeignBytes() {
        Fixture f;
        const QString path = decodeArgument(QFile::encodeName(f.dir.path()) + "/\xfc.rmp");
        std::FILE* file = std::fopen(encodeArgument(path).constData(), "wb");
        QVERIFY(file && std::fputs("10 end", file) >= 0 && std::fclose(file) == 0);
        f.document.openFile(path);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (\\xfc.rmp)"));
        QCOMPARE(std::remove(encodeArgument(path).constData()), 0);
    }
#endif

    void openSetsFullPathHighlightsAndResets_data() {
        QTest::addColumn<bool>("highlight");
        QTest::newRow("highlighting on") << true;
        QTest::newRow("highlighting off") << false;
    }
    void openSetsFullPathHighlightsAndResets() {
        QFETCH(bool, highlight);
        Fixture f;
        f.settings.HighlightCurrentLine = highlight;
        writeBytes(f.path(QStringLiteral("p.rmp")), "10 load 1\n20 end\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(f.dir.path());
        f.dialogs.openAnswer = QStringLiteral("p.rmp");
        f.document.OeffnenClick();
        QDir::setCurrent(previous);
        QCOMPARE(f.document.getActFileName(), f.path(QStringLiteral("p.rmp")));
        QCOMPARE(f.host.log, (QStringList{"caption:Zevo 1.0 (p.rmp)", "programLoaded"}));
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 load 1\r\n20 end\r\n"));
        QCOMPARE(f.editor.textCursor().selectedText(),
                 highlight ? QStringLiteral("10 load 1") : QString());
    }

    // Open, then save: the bytes come back unchanged, line breaks made CR LF.
    void openThenSaveRoundTrip_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("saved");
        QByteArray all; // every byte value, CR and LF as the one line break
        for (int b = 0; b < 256; ++b) {
            if (b != 10)
                all += char(b);
            if (b == 13)
                all += '\n';
        }
        QTest::newRow("all 256 byte values") << all << all;
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("a\r\nb");
        QTest::newRow("CR") << QByteArray("a\rb") << QByteArray("a\r\nb");
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("mixed") << QByteArray("1\n2\r3\r\n4\n\n5")
                               << QByteArray("1\r\n2\r\n3\r\n4\r\n\r\n5");
        QTest::newRow("trailing CR LF") << QByteArray("a\r\n") << QByteArray("a\r\n");
        QTest::newRow("trailing LF") << QByteArray("a\n") << QByteArray("a\r\n");
        QTest::newRow("trailing CR") << QByteArray("a\r") << QByteArray("a\r\n");
        QTest::newRow("only breaks") << QByteArray("\n\r\n\r") << QByteArray("\r\n\r\n\r\n");
        QTest::newRow("controls and no-break space")
            << QByteArray("\0\t\x0b\x0c\x1f\x7f\x81\x8d\x8f\x90\x9d\xa0\xad", 13)
            << QByteArray("\0\t\x0b\x0c\x1f\x7f\x81\x8d\x8f\x90\x9d\xa0\xad", 13);
    }
    void openThenSaveRoundTrip() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        Fixture f;
        const QString path = f.path(QStringLiteral("p.rmp"));
        writeBytes(path, file);
        f.dialogs.openAnswer = path;
        f.document.OeffnenClick();
        f.document.SpeichernClick();
        QCOMPARE(f.dialogs.log, QStringList{"open:"});
        QCOMPARE(readBytes(path), saved);
    }

    void fileErrorsAreShownWithFullStop() {
        Fixture f;
        f.editor.replaceWholeText(QStringLiteral("10 end"));
        const QString missing = f.path(QStringLiteral("missing.rmp"));
        f.dialogs.openAnswer = missing;
        f.document.OeffnenClick();
        const QString uncreatable = f.path(QStringLiteral("gone/x.rmp"));
        f.dialogs.saveAnswer = uncreatable;
        f.document.SpeichernunterClick();
        QCOMPARE(
            f.dialogs.log,
            (QStringList{"open:",
                         "showError:Datei " + QDir::toNativeSeparators(missing) +
                             " kann nicht geöffnet werden.",
                         "save:test",
                         "showError:Datei " + QDir::toNativeSeparators(uncreatable) +
                             " kann nicht erstellt werden."}));
        // Nothing changed: text, file name, caption, run state.
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 end"));
        QCOMPARE(f.document.getActFileName(), QString());
        QCOMPARE(f.host.log, QStringList{});
    }

    void tooLargeFileKeepsTheText() {
        Fixture f;
        f.editor.replaceWholeText(QStringLiteral("10 end"));
        const QString big = f.path(QStringLiteral("big.rmp"));
        writeBytes(big, QByteArray(ProgramFile::Capacity + 1, 'x'));
        f.dialogs.openAnswer = big;
        f.document.OeffnenClick();
        QCOMPARE(f.dialogs.log.last(),
                 QStringLiteral("showError:Text überschreitet Memo-Kapazität."));
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 end"));
        QCOMPARE(f.document.getActFileName(), QString());
        QCOMPARE(f.host.log, QStringList{});
    }

    void unencodableTextIsNotSaved() {
        Fixture f;
        const QString path = f.path(QStringLiteral("p.rmp"));
        writeBytes(path, "10 end");
        f.dialogs.openAnswer = path;
        f.document.OeffnenClick();
        f.editor.replaceWholeText(QStringLiteral("10 load 1\r\n20 end\r\n// ") + QChar(0x4E00));
        f.document.SpeichernClick();
        QCOMPARE(f.dialogs.log.last(),
                 QStringLiteral("showError:Zeile 3 enthält das Zeichen „一“ (U+4E00), das in der "
                                "Datei nicht gespeichert werden kann."));
        QCOMPARE(readBytes(path), QByteArray("10 end"));
    }

    // The file name and caption go back and forth with the text, so that an
    // undone Open is never saved over the opened file.
    void undoBringsBackTheProgramAfterNewAndOpen() {
        Fixture f;
        const QString a = f.path(QStringLiteral("a.rmp"));
        const QString b = f.path(QStringLiteral("b.rmp"));
        writeBytes(a, "10 end");
        writeBytes(b, "10 cload 5\r\n20 end");
        f.dialogs.openAnswer = a;
        f.document.OeffnenClick();
        f.document.NeuClick();
        QCOMPARE(f.editor.lineCount(), 10);
        QTest::keyClick(&f.editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 end"));
        QCOMPARE(f.document.getActFileName(), a);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (a.rmp)"));

        f.dialogs.openAnswer = b;
        f.document.OeffnenClick();
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 cload 5\r\n20 end"));
        QTest::keyClick(&f.editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 end"));
        QCOMPARE(f.document.getActFileName(), a);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (a.rmp)"));
        f.document.SpeichernClick();
        QCOMPARE(readBytes(b), QByteArray("10 cload 5\r\n20 end"));

        QTest::keyClick(&f.editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.document.getActFileName(), b);
        QCOMPARE(f.host.caption, QStringLiteral("Zevo 1.0 (b.rmp)"));
    }

    void printingNeedsAFileName() {
        Fixture f;
        f.document.NeuClick();
        f.document.DruckenClick();
        QCOMPARE(f.dialogs.log, QStringList{"information:Sie müssen die Datei zuerst speichern!!"});

        f.dialogs.saveAnswer = f.path(QStringLiteral("p.rmp"));
        f.document.SpeichernClick();
        f.dialogs.log.clear();
        f.document.DruckenClick(); // cancelled print dialog: nothing printed
        QCOMPARE(f.dialogs.log, QStringList{"print"});
        // A PDF of its own, beside the program: never the protocol's file.
        QCOMPARE(f.dialogs.printPdfNames, QStringList{f.path(QStringLiteral("p.pdf"))});

        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = f.path(QStringLiteral("p.pdf"));
        printer.setOutputFileName(pdf);
        f.dialogs.printer = &printer;
        f.document.DruckenClick();
        QCOMPARE(f.dialogs.log, (QStringList{"print", "print"}));
        QVERIFY(readBytes(pdf).startsWith("%PDF-"));

        printer.setOutputFileName(f.path(QStringLiteral("gone/p.pdf")));
        f.document.DruckenClick();
        QCOMPARE(f.dialogs.log.last(),
                 QStringLiteral("showError:Der Druckauftrag kann nicht begonnen werden."));
    }

    void copyTakesWholeProgramAndLeavesCaretAtSelectionStart_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<qint64>("caret");
        // "10 load 1\n20 end" inside the editor; caret positions count CR LF as two.
        QTest::newRow("word in the first line") << 3 << 7 << qint64(3);
        QTest::newRow("word in the second line, selected backwards") << 16 << 13 << qint64(14);
        QTest::newRow("caret only") << 10 << 10 << qint64(11);
    }
    void copyTakesWholeProgramAndLeavesCaretAtSelectionStart() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(qint64, caret);
        Fixture f;
        f.editor.replaceWholeText(QStringLiteral("10 load 1\r\n20 end"));
        QTextCursor cursor = f.editor.textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        f.editor.setTextCursor(cursor);
        f.other.setFocus();
        const bool editorHadFocus = f.editor.hasFocus();
        QApplication::clipboard()->clear();
        f.document.KopierenClick();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("10 load 1\r\n20 end"));
        QCOMPARE(f.editor.caretPosition(), caret);
        QVERIFY(!f.editor.textCursor().hasSelection());
        QCOMPARE(f.editor.hasFocus(), editorHadFocus);
        QCOMPARE(f.editor.wholeText(), QStringLiteral("10 load 1\r\n20 end"));
    }
};

QTEST_MAIN(TestProgramDocument)
#include "tst_programdocument.moc"
