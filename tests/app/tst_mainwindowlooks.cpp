// The main window's state and looks: start-up, focus order, fixed geometry,
// the message boxes and the windows' stacking.
#include "mainwindowapp.h"

#include "helpviewer.h"
#include "look.h"
#include "qtdialogs.h"
#include "tRegisterEditor.h"
#include "windowgeometry.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <memory>

class TestMainWindowLooks : public QObject {
    Q_OBJECT

private slots:
    void startUpState() {
        Application app;
        THauptformular& w = app.window;
        QCOMPARE(w.objectName(), QStringLiteral("Hauptformular"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Zevo 1.0"));
        QCOMPARE(w.StepsLabel->text(), QStringLiteral("0"));
        QCOMPARE(w.TaktrateLabel->text(), rate("1,0 Hz  "));
        QCOMPARE(w.TaktrateTrackBar->value(), 690);
        QCOMPARE(w.TaktrateTrackBar->minimum(), 110);
        QCOMPARE(w.TaktrateTrackBar->maximum(), 4615);
        QCOMPARE(w.TaktrateTrackBar->tickInterval(), 100);
        QCOMPARE(w.TaktrateTrackBar->tickPosition(), QSlider::TicksBelow);
        QCOMPARE(w.runControl().run().CurrentLine, 0);
        QVERIFY(w.ProgramMemo->toPlainText().isEmpty());
        QCOMPARE(w.RegisterEditor->valueText(50), QStringLiteral("0"));
        QVERIFY(w.RegisterEditor->MarkChanges);
        QCOMPARE(QApplication::focusWidget(), w.ProgramMemo);
        QVERIFY(!app.protocol.isVisible());
        QVERIFY(!app.options.isVisible());
        QVERIFY(!app.item("Protokoll")->isChecked());

        // Stopped: everything but the three run commands.
        for (QAction* action : w.commands()) {
            if (action->isSeparator())
                continue;
            QCOMPARE(action->isEnabled(), !RunItems.contains(action->objectName()));
        }

        const QList<QPair<QString, QString>> boxes = {{"QuellcodeGroupBox", "Quellcode:"},
                                                      {"BelegungGroupBox", "Registerbelegung:"},
                                                      {"TaktrateGroupBox", "Taktrate:"},
                                                      {"SchritteGroupBox", "Schritte:"}};
        for (const auto& [name, title] : boxes)
            QCOMPARE(w.findChild<QGroupBox*>(name)->title(), title);
        for (const char* name :
             {"ProgramMemo", "RegisterEditor", "TaktrateTrackBar", "TaktrateLabel", "StepsLabel",
              "ToolBar", "MainMenu", "SpaceToolButton", "SpaceToolButton1", "SpaceToolButton2",
              "SpaceToolButton3"})
            QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)), name);
        QCOMPARE(w.ProgramMemo->parentWidget(), w.QuellcodeGroupBox);
    }

    // Focus order editor, grid, slider; the toolbar takes none.
    void focusOrder() {
        Application app;
        THauptformular& w = app.window;
        // The next control that takes the focus by Tab, outside the given one.
        const auto next = [&w](QWidget* from) {
            QWidget* c = from->nextInFocusChain();
            while (c != from && (from->isAncestorOf(c) || !(c->focusPolicy() & Qt::TabFocus) ||
                                 !c->isVisibleTo(&w) || !c->isEnabled()))
                c = c->nextInFocusChain();
            return c;
        };
        QWidget* afterEditor = next(w.ProgramMemo);
        QVERIFY(afterEditor == w.RegisterEditor || w.RegisterEditor->isAncestorOf(afterEditor));
        QCOMPARE(next(w.RegisterEditor), w.TaktrateTrackBar);
        for (QToolButton* b : w.ToolBar->findChildren<QToolButton*>())
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }

    void fixedGeometry() {
        Application app;
        THauptformular& w = app.window;
        QCOMPARE(w.centralWidget()->size(), QSize(401, 465));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.size().height(), 465 + w.MainMenu->height());
        // The zoom that fits the screen is reckoned with these sizes.
        QCOMPARE(w.size(), WindowGeometry::MainWindowSize);
        QCOMPARE(app.options.size(), WindowGeometry::OptionsDialogSize);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.ProgramMemo->geometry(), QRect(8, 16, 225, 353));
        QCOMPARE(w.RegisterEditor->geometry(), QRect(256, 48, 137, 353));
        QCOMPARE(w.ToolBar->geometry(), QRect(0, 0, 401, 29));
        QCOMPARE(app.button("InfoButton")->geometry(), QRect(331, 2, 23, 22));
        QCOMPARE(w.findChild<QWidget*>("SpaceToolButton3")->geometry(), QRect(300, 2, 8, 22));
        // Every caption fits its control.
        for (QGroupBox* box : w.findChildren<QGroupBox*>())
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->title()) + 16 < box->width(),
                     qPrintable(box->title()));
        const QFontMetrics rate(w.TaktrateLabel->font());
        QVERIFY(rate.horizontalAdvance(QStringLiteral("100,0 Hz")) <= w.TaktrateLabel->width());
    }

    void fullStopRule_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Stream-Schreibfehler"
                                << "Stream-Schreibfehler.";
        QTest::newRow("quote") << "'x' ist kein gültiger Integerwert"
                               << "'x' ist kein gültiger Integerwert.";
        QTest::newRow("digit") << "Fehler 0"
                               << "Fehler 0.";
        QTest::newRow("slash after dot") << "a/"
                                         << "a/.";
        QTest::newRow("full stop") << "Ende."
                                   << "Ende.";
        QTest::newRow("exclamation") << "Abbruch!"
                                     << "Abbruch!";
        QTest::newRow("hyphen") << "a-"
                                << "a-";
        QTest::newRow("blank") << "a "
                               << "a ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void fullStopRule() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(withFullStop(message), shown);
    }

    // The real boxes, built but never shown: titles, icons, German buttons, the
    // default and Esc buttons, and the error display's full stop.
    void messageBoxes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<QString>("escapeButton");
        QTest::addColumn<QString>("text");
        QTest::newRow("information")
            << 0 << "Information" << int(QMessageBox::Information) << QStringList{"OK"} << "OK"
            << "OK"
            << "Fertig";
        QTest::newRow("error") << 1 << "Fehler" << int(QMessageBox::Critical)
                               << QStringList{"OK", "&Hilfe"} << "OK"
                               << "OK"
                               << "Fertig";
        QTest::newRow("confirmation") << 2 << "Bestätigung" << int(QMessageBox::Question)
                                      << QStringList{"&Ja", "&Nein"} << "&Ja"
                                      << "&Nein"
                                      << "Fertig";
        QTest::newRow("error display")
            << 3 << "Zevo 1.0" << int(QMessageBox::Critical) << QStringList{"OK"} << "OK"
            << "OK"
            << "Fertig.";
    }
    void messageBoxes() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QFETCH(QString, escapeButton);
        QFETCH(QString, text);
        using Builder = std::unique_ptr<QMessageBox> (*)(const QString&, QWidget*);
        const Builder builders[] = {&QtDialogs::informationBox, &QtDialogs::errorBox,
                                    &QtDialogs::confirmationBox, &QtDialogs::errorDisplay};
        const auto box = builders[kind](QStringLiteral("Fertig"), nullptr);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->text(), text);
        QStringList shown;
        for (QAbstractButton* b : box->buttons())
            shown << b->text();
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
        QCOMPARE(box->defaultButton()->text(), defaultButton);
        QCOMPARE(box->escapeButton()->text(), escapeButton);
        // Above the protocol window, which stays on top.
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        // Our picture of the kind, which has versions for an enlarged display.
        const auto* picture = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        QVERIFY(picture);
        const Look::BoxPicture kinds[] = {Look::BoxPicture::Information, Look::BoxPicture::Critical,
                                          Look::BoxPicture::Question, Look::BoxPicture::Critical};
        QCOMPARE(picture->pixmap().toImage(),
                 Look::boxPicture(kinds[kind]).pixmap(picture->pixmap().size()).toImage());
        // The same size under every Qt, or the box's layout would change with it.
        QCOMPARE(picture->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    }

    // Every window opened from Zevo comes up above the protocol window, which
    // stays on top of the main window.
    void windowsAboveTheProtocol_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("options dialog") << "options";
        QTest::newRow("help viewer") << "help";
        QTest::newRow("protocol window itself") << "protocol";
    }
    void windowsAboveTheProtocol() {
        QFETCH(QString, window);
        Application app;
        HelpViewer help;
        QWidget* opened = window == u"options" ? static_cast<QWidget*>(&app.options)
                          : window == u"help"  ? static_cast<QWidget*>(&help)
                                               : static_cast<QWidget*>(&app.protocol);
        QVERIFY(opened->isWindow());
        QVERIFY(opened->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(app.window.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // The file dialogs would keep their history in the user's home folder.
    void dialogsStoreNothing() {
        QTemporaryDir home;
        const QByteArray previousHome = qgetenv("HOME");
        const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        QtDialogs::keepNoSettings();
        {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setDirectory(home.path());
        }
        qputenv("HOME", previousHome);
        qputenv("XDG_CONFIG_HOME", previousConfig);
        QDirIterator stored(home.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
        QVERIFY2(!stored.hasNext(), qPrintable(stored.hasNext() ? stored.next() : QString()));
    }
};

QTEST_MAIN(TestMainWindowLooks)
#include "tst_mainwindowlooks.moc"
