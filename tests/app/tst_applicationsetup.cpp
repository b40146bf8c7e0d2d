// What the application sets up for all its windows: German for Qt's own texts
// and the file dialogs' dates on an English system, the user's decimal
// separator for the rate, and one font for every box and dialog.
#include "applicationsetup.h"
#include "helpviewer.h"
#include "look.h"
#include "qtdialogs.h"
#include "screenfit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

#include <memory>

#ifdef Q_OS_WIN
#include "platformsettings.h"
#include <windows.h>
#endif

class TestApplicationSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The test runs with an English environment (see CMakeLists.txt);
        // Wine keeps the variable to itself.
#ifndef Q_OS_WIN
        QCOMPARE(qEnvironmentVariable("LC_ALL"), QStringLiteral("en_US.UTF-8"));
#endif
        setUpApplication();
        QtDialogs::keepNoSettings();
    }

    // First of the file dialogs: later ones take over the column widths of
    // the one before. Qt sizes the columns for English texts; "Verzeichnis" and
    // "Änderungsdatum" were cut.
    void fileDialogColumnsFitGermanTexts() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("aufgaben")));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(dir.path());
        auto* model = dialog.findChild<QFileSystemModel*>();
        auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(model && tree);
        const QModelIndex folder = model->index(dir.filePath(QStringLiteral("aufgaben")));
#ifdef Q_OS_WIN
        // Windows names the type of a file itself, in the system's language.
        QTRY_VERIFY(!model->data(folder.siblingAtColumn(2)).toString().isEmpty());
#else
        QTRY_COMPARE(model->data(folder.siblingAtColumn(2)).toString(),
                     QStringLiteral("Verzeichnis"));
#endif
        QtDialogs::fitColumns(dialog);
        QHeaderView* header = tree->header();
        for (int column = 1; column <= 3; ++column) {
            const QModelIndex cell = tree->model()->index(0, column, tree->rootIndex());
            QVERIFY2(header->sectionSize(column) >= tree->sizeHintForIndex(cell).width(),
                     qPrintable(cell.data().toString()));
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                     qPrintable(model->headerData(column, Qt::Horizontal).toString()));
        }
        // Shown (not run: nothing waits for a person), the view shows every column whole.
        dialog.show();
        QVERIFY(header->length() <= tree->viewport()->width());
        dialog.hide();
    }

    // Reading Qt's settings, a file dialog left an empty registry key.
    void fileDialogLeavesNoRegistryKey() {
#ifndef Q_OS_WIN
        QSKIP("only Windows keeps Qt's settings in the registry");
#else
        const auto exists = [] {
            HKEY key = nullptr;
            const bool found = ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\QtProject", 0,
                                               KEY_READ, &key) == ERROR_SUCCESS;
            if (found)
                ::RegCloseKey(key);
            return found;
        };
        PlatformSettings::removeEmptySettingsKeys(); // an earlier test's dialog
        QVERIFY(!exists());
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QVERIFY(exists()); // Qt's own doing: the reason for the removal
        PlatformSettings::removeEmptySettingsKeys();
        QVERIFY(!exists());
#endif
    }

    // The file dialogs show dates (and sizes) in Qt's system locale.
    void fileDialogDatesAreGerman() {
#ifdef Q_OS_WIN
        QSKIP("Windows formats the dates by the user's regional settings");
#endif
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("aufgabe.rmp")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("10 end\r\n");
        QVERIFY(file.flush());
        const QDateTime stamp(QDate(2026, 12, 9), QTime(14, 30));
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
        file.close();
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(dir.path());
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        const QModelIndex name = model->index(file.fileName());
        QTRY_VERIFY(model->data(name.siblingAtColumn(3)).toString().contains(u':'));
        QCOMPARE(model->data(name.siblingAtColumn(3)).toString(), QStringLiteral("09.12.26 14:30"));
    }

    void rateKeepsTheUsersSeparator_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English") << "LC_ALL"
                                 << "en_US.UTF-8"
                                 << ".";
        QTest::newRow("German") << "LC_ALL"
                                << "de_DE.UTF-8"
                                << ",";
        QTest::newRow("numbers apart") << "LC_NUMERIC"
                                       << "en_GB.UTF-8"
                                       << ".";
        QTest::newRow("plain C") << "LC_ALL"
                                 << "C.UTF-8"
                                 << ",";
        QTest::newRow("none") << "LANG"
                              << ""
                              << ",";
    }
    void rateKeepsTheUsersSeparator() {
#ifdef Q_OS_WIN
        QSKIP("Windows takes the number format from its own settings, not the environment");
#endif
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QString, separator);
        const QByteArray saved = qgetenv("LC_ALL");
        qunsetenv("LC_ALL");
        qputenv(variable.toLatin1().constData(), value.toUtf8());
        const QString shown = userNumberLocale().decimalPoint();
        qunsetenv(variable.toLatin1().constData());
        qputenv("LC_ALL", saved);
        QCOMPARE(shown, separator);
    }

    // Qt offered "print.pdf" in the home folder, or the file printed to last.
    void printDialogOffersThePrintoutsPdf() {
#ifdef Q_OS_WIN
        QSKIP("Windows' own print dialog has no field for the file");
#endif
        QPrinter printer;
        QPrintDialog dialog(&printer);
        QtDialogs::offerPdfName(dialog, QStringLiteral("/schule/ggt.pdf"));
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        QVERIFY(field);
        QCOMPARE(field->text(), QStringLiteral("/schule/ggt.pdf"));
    }

    // Expanded with "Optionen >>" low on the screen, the print dialog grew past
    // its edge: its buttons could not be reached.
    void expandedPrintDialogStaysOnTheScreen() {
#ifdef Q_OS_WIN
        QSKIP("Windows' own print dialog, drawn by the system, does not expand");
#endif
        QPrinter printer;
        QPrintDialog dialog(&printer);
        ScreenFit::keepInsideWhenGrown(dialog);
        const QRect available = dialog.screen()->availableGeometry();
        dialog.move(available.left(), available.bottom() - dialog.sizeHint().height() - 10);
        dialog.show();
        QPushButton* expand = nullptr;
        for (auto* button : dialog.findChildren<QPushButton*>())
            if (button->text().contains(u">>"))
                expand = button;
        if (!expand)
            QSKIP("this platform's print dialog does not expand");
        const int collapsed = dialog.height();
        expand->click();
        QTRY_VERIFY(dialog.height() > collapsed);
        QTRY_VERIFY(available.contains(dialog.frameGeometry()));
        dialog.hide();
    }

    // A note at start-up (a lowered zoom) is shown and the program goes on.
    void noticeWaitsForNobody() {
        HelpViewer help;
        QtDialogs dialogs(help);
        dialogs.notice(QStringLiteral("Zevo verwendet --zoom 2."));
        QMessageBox* box = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(window); b && b->isVisible())
                box = b;
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Zevo verwendet --zoom 2."));
        QVERIFY(!box->isModal() && !QApplication::activeModalWidget());
        const QPointer<QMessageBox> gone(box);
        box->close();
        QTRY_VERIFY(!gone);
    }

    // Under Wine, and on many a Windows, "MS Sans Serif" is a bitmap font that
    // Qt draws cut off and unevenly spaced, and never bold.
    void windowFaceIsAnOutlineFace_data() {
        QTest::addColumn<bool>("msSansSerif");
        QTest::addColumn<bool>("microsoftSansSerif");
        QTest::addColumn<QString>("face");
        QTest::newRow("outline MS Sans Serif") << true << true << "MS Sans Serif";
        QTest::newRow("bitmap MS Sans Serif") << false << true << "Microsoft Sans Serif";
        QTest::newRow("neither (Wine)") << false << false << "Liberation Sans";
    }
    void windowFaceIsAnOutlineFace() {
        QFETCH(bool, msSansSerif);
        QFETCH(bool, microsoftSansSerif);
        QFETCH(QString, face);
        QCOMPARE(Look::windowFontFamily(msSansSerif, microsoftSansSerif), face);
    }

    void oneFontEverywhere_data() {
        QTest::addColumn<QString>("window");
        for (const char* row :
             {"message box", "error display", "file dialog", "print dialog", "help viewer"}) {
#ifdef Q_OS_WIN
            // Windows' own print dialog, drawn by the system.
            if (QByteArray(row) == "print dialog")
                continue;
#endif
            QTest::newRow(row) << row;
        }
    }
    void oneFontEverywhere() {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> shown;
        QWidget* text = nullptr;
        QPrinter printer;
        if (window == u"message box") {
            shown = QtDialogs::informationBox(QStringLiteral("Fertig"), nullptr);
            text = shown->findChild<QWidget*>(QStringLiteral("qt_msgbox_label"));
        } else if (window == u"error display") {
            shown = QtDialogs::errorDisplay(QStringLiteral("Fehler"), nullptr);
            text = static_cast<QMessageBox*>(shown.get())->buttons().first();
        } else if (window == u"file dialog") {
            auto dialog = std::make_unique<QFileDialog>();
            dialog->setOption(QFileDialog::DontUseNativeDialog);
            text = dialog->findChild<QTreeView*>();
            shown = std::move(dialog);
        } else if (window == u"print dialog") {
            shown = std::make_unique<QPrintDialog>(&printer);
            text = shown->findChild<QPushButton*>();
        } else {
            shown = std::make_unique<HelpViewer>();
            text = shown->findChild<QTextBrowser*>();
        }
        QVERIFY(text);
        const QFont expected = Look::windowFont();
        QCOMPARE(text->font().family(), expected.family());
        QCOMPARE(text->font().pixelSize(), expected.pixelSize());
    }
};

int main(int argc, char* argv[]) {
    // As zevo's main() does: before the application exists.
    useGermanLocale();
    QApplication app(argc, argv);
    TestApplicationSetup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_applicationsetup.moc"
