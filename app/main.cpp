#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "applicationsetup.h"
#include "commandline.h"
#include "helpviewer.h"
#include "look.h"
#include "nativename.h"
#include "platformconsole.h"
#include "protocolaccessible.h"
#include "qtdialogs.h"
#include "screenfit.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Read before QApplication exists: the scale factor only counts when Qt
    // starts, and --help must work without a display.
    const CommandLine line = parseCommandLine(programArguments(argc, argv));
    const auto print = [](std::FILE* stream, const QString& text) {
        PlatformConsole::useParentConsole();
        const QByteArray bytes = text.toUtf8();
        PlatformConsole::writeUtf8(stream, bytes.constData(), std::size_t(bytes.size()));
        std::fflush(stream);
    };
    if (!line.error.isEmpty()) {
        print(stderr, QStringLiteral("zevo: %1\nHilfe: zevo --help\n").arg(line.error));
        return 2;
    }
    if (line.help || line.version) {
        print(stdout, line.help ? commandLineHelpText() : versionText());
        return 0;
    }
    useGermanLocale();
    // Qt scales the whole window, fonts and geometry alike; the pictures have
    // "@2x" versions that QIcon takes from factor 2 on. A factor too large for
    // the screen is lowered to one that fits.
    QString zoomNotice;
    if (line.zoom)
        qputenv("QT_SCALE_FACTOR",
                QByteArray::number(ScreenFit::zoomForScreen(*line.zoom, argc, argv, &zoomNotice)));

    // Qt's GDI engine draws the stand-in face unevenly spaced and cuts the
    // last letters of a label (the end box's "!"), where Windows has no
    // outline system face (under Wine); FreeType draws it as on Linux.
    if (Look::usesStandInOnWindows() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");

    QApplication app(argc, argv);
    ProtocolViewAccessible::install();
    // The title the platform shows for the application. Not the display name:
    // Qt would append that to every window's caption.
    QApplication::setApplicationName(Look::applicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("zevo"));
    QApplication::setWindowIcon(Look::applicationIcon());

    // One font and German for Qt's own dialogs and texts, whatever the system language.
    setUpApplication();

    HelpViewer helpViewer;
    helpViewer.setHelpFile(QStringLiteral("hilfedateien\\Zevo.hlp"));
    QtDialogs dialogs(helpViewer);

    THauptformular Hauptformular(dialogs);
    dialogs.setParentWindow(&Hauptformular);
    TProtokollFormular ProtokollFormular(dialogs);
    ProtokollFormular.hide();
    TOptionenFormular OptionenFormular;
    OptionenFormular.hide();
    Hauptformular.attach(ProtokollFormular, OptionenFormular);
    ScreenFit::fitSize(ProtokollFormular);
    for (QWidget* window :
         {static_cast<QWidget*>(&Hauptformular), static_cast<QWidget*>(&ProtokollFormular),
          static_cast<QWidget*>(&OptionenFormular)})
        ScreenFit::placeInside(*window);

    Hauptformular.presetRegisters(line.registers);
    Hauptformular.show();
    if (!line.file.isEmpty())
        Hauptformular.openAtStartUp(line.file);
    // A lowered zoom said where the user looks: a window program has no console
    // on Windows, nor when started from a menu. The box waits for nobody.
    if (!zoomNotice.isEmpty())
        QTimer::singleShot(0, &Hauptformular,
                           [&dialogs, zoomNotice] { dialogs.notice(zoomNotice); });
    return app.exec();
}
