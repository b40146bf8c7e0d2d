#include "RMProgramEditor.h"
#include "fakedialogs.h"
#include "programfile.h"
#include "screenpixels.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

class TestProgramEditor : public QObject {
    Q_OBJECT

    // A shown editor of the main window's size, so that wrapping is real.
    static std::unique_ptr<TRMProgramEditor> makeEditor(const QString& text) {
        auto editor = std::make_unique<TRMProgramEditor>();
        editor->resize(225, 353);
        editor->show();
        editor->replaceWholeText(text);
        return editor;
    }

private slots:
    void lineAccess_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one line") << "10 end" << QStringList{"10 end"};
        QTest::newRow("final break not counted") << "10 a\r\n20 b\r\n"
                                                 << QStringList{"10 a", "20 b"};
        QTest::newRow("inner empty line counts")
            << "10 a\r\n\r\n20 b" << QStringList{"10 a", "", "20 b"};
        QTest::newRow("lone LF and CR") << "1\n2\r3" << QStringList{"1", "2", "3"};
        QTest::newRow("two final breaks") << "1\r\n\r\n" << QStringList{"1", ""};
        QTest::newRow("tabs kept") << "10\tload 1" << QStringList{"10\tload 1"};
    }
    void lineAccess() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        auto editor = makeEditor(text);
        QCOMPARE(editor->lineCount(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(editor->lineText(i), lines[i]);
        QCOMPARE(editor->lineText(lines.size()), QString());
        QCOMPARE(editor->lineText(-1), QString());
    }

    void wholeTextKeepsEveryCharacter() {
        const QString text =
            QStringLiteral("10 cload 1\r\n") + QChar(0xA0) + QStringLiteral("x\r\n");
        auto editor = makeEditor(text);
        QCOMPARE(editor->wholeText(), text);
    }

    void wrappedLineIsSeveralRows() {
        const QString longLine =
            QStringLiteral("10 cload 1 ") + QString(60, u'x') + QStringLiteral(" ende");
        auto editor = makeEditor(longLine + QStringLiteral("\r\n20 end"));
        QVERIFY(editor->lineCount() > 2);
        QString joined;
        for (int i = 0; i < editor->lineCount() - 1; ++i)
            joined += editor->lineText(i);
        QCOMPARE(joined, longLine);
        QCOMPARE(editor->lineText(editor->lineCount() - 1), QStringLiteral("20 end"));
        QCOMPARE(editor->wholeText(), longLine + QStringLiteral("\r\n20 end"));

        // The rows change with the width, and nobody reads rows of an old layout.
        editor->resize(2000, 353);
        QCOMPARE(editor->lineCount(), 2);
    }

    void rowsDoNotDependOnScrolling() {
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines << QStringLiteral("%1 cadd 1").arg(i);
        auto editor = makeEditor(lines.join(QStringLiteral("\r\n")));
        QCOMPARE(editor->lineCount(), 3000);
        QCOMPARE(editor->lineText(2999), QStringLiteral("2999 cadd 1"));
        editor->moveCursor(QTextCursor::End);
        editor->appendPlainText(QStringLiteral("x end"));
        QCOMPARE(editor->lineCount(), 3001);
        QCOMPARE(editor->lineText(3000), QStringLiteral("x end"));
    }

    // Rows counted without a layout must be the rows the layout makes: lines of
    // every length around the wrap width, of narrow and of wide characters.
    void rowsMatchTheLayoutAtTheWrapEdge_data() {
        QTest::addColumn<QString>("unit");
        QTest::newRow("digits") << "7";
        QTest::newRow("wide") << "W";
        QTest::newRow("narrow") << "il";
        QTest::newRow("words") << "10 cload ";
        QTest::newRow("umlauts") << "Äß";
    }
    void rowsMatchTheLayoutAtTheWrapEdge() {
        QFETCH(QString, unit);
        QStringList lines;
        for (QString line; line.size() < 90; line += unit)
            lines << line + QStringLiteral("x");
        auto editor = makeEditor(lines.join(QStringLiteral("\r\n")));
        const qint32 counted = editor->lineCount();
        QStringList rows;
        for (qint32 i = 0; i < counted; ++i)
            rows << editor->lineText(i);

        // Lay out every block, then count the layout's own lines.
        QTextDocument* doc = editor->document();
        int laidOut = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            doc->documentLayout()->blockBoundingRect(block);
            laidOut += std::max(block.layout()->lineCount(), 1);
        }
        QCOMPARE(counted, laidOut);
        // Reading again after the layout gives the same rows.
        editor->setFont(editor->font()); // no change: the rows stay as they are
        for (qint32 i = 0; i < counted; ++i)
            QCOMPARE(editor->lineText(i), rows[i]);
    }

    // Row texts read once are never served after a change of text, width or font.
    void readRowsFollowEveryChange() {
        auto editor = makeEditor(QStringLiteral("10 cload 1\r\n20 goto 10"));
        QCOMPARE(editor->lineText(1), QStringLiteral("20 goto 10"));
        QTextCursor cursor(editor->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("0"));
        QCOMPARE(editor->lineText(1), QStringLiteral("20 goto 100"));
        editor->undo();
        QCOMPARE(editor->lineText(1), QStringLiteral("20 goto 10"));

        const QString longLine = QStringLiteral("30 cload 1 ") + QString(12, u'7');
        editor->addLine(longLine);
        QCOMPARE(editor->lineCount(), 3);
        QCOMPARE(editor->lineText(2), longLine);
        editor->resize(120, 353);
        QVERIFY(editor->lineCount() > 3);
        QVERIFY(editor->lineText(2).size() < longLine.size());
        editor->resize(2000, 353);
        QCOMPARE(editor->lineText(2), longLine);
        QFont larger = editor->font();
        larger.setPixelSize(200);
        editor->setFont(larger);
        QVERIFY(editor->lineCount() > 3);
        QVERIFY(editor->lineText(2).size() < longLine.size());
    }

    void highlightSelectsTheRow() {
        auto editor = makeEditor(QStringLiteral("10 a\r\n20 b\r\n\r\n10 a"));
        editor->HighlightLine(3);
        QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("10 a"));
        QCOMPARE(editor->textCursor().selectionStart(), 11); // the later of two equal lines

        editor->HighlightLine(1);
        const int end = editor->textCursor().selectionEnd();
        editor->HighlightLine(2); // empty line: no selection, caret stays at the end
        QVERIFY(!editor->textCursor().hasSelection());
        QCOMPARE(editor->textCursor().position(), end);
        editor->HighlightLine(99);
        QVERIFY(!editor->textCursor().hasSelection());
        QCOMPARE(editor->textCursor().position(), end);

        // The rows of a wrapped line: the first starts its block, the second does not.
        auto wrapped = makeEditor(QStringLiteral("10 cload ") + QString(40, u'7') +
                                  QStringLiteral("\n20 end"));
        wrapped->resize(120, 353);
        QVERIFY(wrapped->lineCount() > 2);
        for (int row : {0, 1, wrapped->lineCount() - 1}) {
            wrapped->HighlightLine(row);
            QCOMPARE(wrapped->textCursor().selectedText(), wrapped->lineText(row));
        }
        wrapped->HighlightLine(1);
        QVERIFY(wrapped->textCursor().selectionStart() > 0);
        QCOMPARE(wrapped->textCursor().block().blockNumber(), 0);
    }

    // The editor draws a highlighted row itself; the pixels must be those of
    // the plain text edit's own selection drawing.
    void highlightLooksAsTheTextEditDrawsIt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        const QString wrapped = QStringLiteral("10 cload ") + QString(60, u'7');
        QTest::newRow("first row") << QStringLiteral("// Zählschleife\n10 cload 0") << 0;
        QTest::newRow("after an empty row") << QStringLiteral("\n\n20 goto 10\n30 end") << 2;
        QTest::newRow("tab") << QStringLiteral("10\tcload 1\n20 end") << 0;
        QTest::newRow("second row of a wrapped line") << wrapped << 1;
        QTest::newRow("blank at its end") << QStringLiteral("10 end \n20 end") << 0;
    }
    void highlightLooksAsTheTextEditDrawsIt() {
        QFETCH(QString, text);
        QFETCH(int, row);
        auto editor = makeEditor(text);
        editor->markLineKeepingFocus(row);
        QPlainTextEdit plain;
        plain.setPalette(editor->palette());
        plain.setFont(editor->font());
        plain.setLineWrapMode(editor->lineWrapMode());
        plain.setWordWrapMode(editor->wordWrapMode());
        plain.setHorizontalScrollBarPolicy(editor->horizontalScrollBarPolicy());
        plain.setVerticalScrollBarPolicy(editor->verticalScrollBarPolicy());
        plain.resize(editor->size());
        plain.show();
        plain.setPlainText(editor->toPlainText());
        plain.setTextCursor(editor->textCursor());
        QVERIFY(plain.textCursor().hasSelection());
        QCOMPARE(editor->grab().toImage(), plain.grab().toImage());
    }

    // A moved highlight repaints only the rows it leaves and enters; what is
    // on screen must still be what a full repaint shows, also after a jump
    // back and after a move that scrolls.
    void highlightRepaintsWhatItMoves() {
        QStringList lines;
        for (int i = 1; i <= 60; ++i)
            lines << QStringLiteral("%1 cadd 1").arg(i * 10);
        auto editor = makeEditor(lines.join(u'\n'));
        editor->markLineKeepingFocus(0);
        for (const int row : {1, 2, 5, 1, 50, 3, 3}) {
            editor->markLineKeepingFocus(row);
            QCoreApplication::processEvents();
            QCOMPARE(onScreen(editor->viewport()), freshRender(editor->viewport()));
        }
    }

    void addLineAndCaret() {
        auto editor = makeEditor(QString());
        for (int i = 1; i <= 10; ++i)
            editor->addLine(QStringLiteral("%1 ").arg(10 * i));
        QCOMPARE(editor->wholeText().toLatin1().size(), 51);
        QCOMPARE(editor->lineCount(), 10);
        editor->setCaretPosition(3);
        QCOMPARE(editor->caretPosition(), 3);
        editor->setCaretPosition(5); // start of line 1, behind CR LF
        QCOMPARE(editor->textCursor().position(), 4);
        QCOMPARE(editor->caretPosition(), 5);

        auto other = makeEditor(QStringLiteral("a"));
        other->addLine(QStringLiteral("b"));
        QCOMPARE(other->wholeText(), QStringLiteral("a\r\nb"));
    }

    void replaceIsUndoable() {
        auto editor = makeEditor(QStringLiteral("10 end"));
        editor->replaceWholeText(QStringLiteral("20 end"));
        editor->undo();
        QCOMPARE(editor->wholeText(), QStringLiteral("10 end"));
    }

    // An empty clipboard (no format at all) crashed the text control.
    void pasteWithoutTextDoesNothing() {
        auto editor = makeEditor(QStringLiteral("10 end"));
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        editor->setFocus();
        QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor->wholeText(), QStringLiteral("10 end"));
    }

    // Typing and pasting keep to the capacity that opening has, so that every
    // text the editor holds can be opened again. A line break is two bytes.
    void capacityHoldsForTypingAndPasting_data() {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<QString>("input"); // "paste:" + text, or keys typed
        QTest::addColumn<bool>("accepted");
        QTest::newRow("character into the last byte") << qint64(1) << "x" << true;
        QTest::newRow("character beyond") << qint64(0) << "x" << false;
        QTest::newRow("line break into one byte") << qint64(1) << "\n" << false;
        QTest::newRow("paste that fits") << qint64(4) << "paste:a\nb" << true;
        QTest::newRow("paste one byte too long") << qint64(3) << "paste:a\nb" << false;
    }
    void capacityHoldsForTypingAndPasting() {
        QFETCH(qint64, room);
        QFETCH(QString, input);
        QFETCH(bool, accepted);
        const QString line = QString(28, u'x') + QStringLiteral("\r\n");
        const qint64 full = ProgramFile::Capacity - room;
        QString text = line.repeated(full / line.size());
        text += QString(full - text.size(), u'y');
        auto editor = makeEditor(text);
        FakeDialogs dialogs;
        editor->setDialogs(&dialogs);
        QCOMPARE(editor->fileSize(), full);
        editor->moveCursor(QTextCursor::End);
        if (input.startsWith(QStringLiteral("paste:"))) {
            QGuiApplication::clipboard()->setText(input.mid(6));
            editor->paste();
        } else if (input == QStringLiteral("\n")) {
            QTest::keyClick(editor.get(), Qt::Key_Return);
        } else {
            QTest::keyClicks(editor.get(), input);
        }
        QCOMPARE(editor->fileSize() <= ProgramFile::Capacity, true);
        QCOMPARE(editor->fileSize() > full, accepted);
        QCOMPARE(dialogs.log, accepted ? QStringList()
                                       : QStringList{"showError:Text überschreitet Memo-Kapazität."});
    }

    void tabMovesFocus() {
        auto editor = makeEditor(QStringLiteral("x"));
        QVERIFY(editor->tabChangesFocus());
    }
};

QTEST_MAIN(TestProgramEditor)
#include "tst_programeditor.moc"
