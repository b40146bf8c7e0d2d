#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "commandline.h"
#include "helpviewer.h"
#include "look.h"
#include "protocolaccessible.h"
#include "qtdialogs.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace {

// The windows start at fixed places chosen for the usual size. Enlarged, a
// window can reach past the bottom or right of the screen (the main window at
// factor 2 on a 1920 x 1080 projector); move it in, keeping its size. Room is
// left for the window manager's title bar, which the window does not know of
// before it is shown.
void keepOnScreen(QWidget& window) {
    constexpr int TitleBarRoom = 32;
    const QRect screen = window.screen()->availableGeometry();
    const int x = std::min(window.x(), screen.right() + 1 - window.width());
    const int y = std::min(window.y(), screen.bottom() + 1 - window.height() - TitleBarRoom);
    window.move(std::max(x, screen.left()), std::max(y, screen.top()));
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before QApplication exists: the scale factor only counts when Qt
    // starts, and --help must work without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        const QString text = QStringLiteral("zevo: %1\nHilfe: zevo --help\n").arg(line.error);
        std::fputs(text.toUtf8().constData(), stderr);
        return 2;
    }
    if (line.help || line.version) {
        const QString text = line.help ? commandLineHelpText() : versionText();
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }
    // Qt scales the whole window, fonts and geometry alike; the pictures have
    // "@2x" versions that QIcon takes from factor 2 on.
    if (line.zoom)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(*line.zoom));

    QApplication app(argc, argv);
    ProtocolViewAccessible::install();
    // The title the platform shows for the application. Not the display name:
    // Qt would append that to every window's caption.
    QApplication::setApplicationName(Look::applicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("zevo"));
    QApplication::setWindowIcon(Look::applicationIcon());

    // Qt's own dialogs and buttons in German, whatever the system language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

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
    if (line.zoom) {
        for (QWidget* window :
             std::initializer_list<QWidget*>{&Hauptformular, &ProtokollFormular, &OptionenFormular})
            keepOnScreen(*window);
    }

    Hauptformular.show();
    if (!line.file.isEmpty())
        Hauptformular.openAtStartUp(line.file);
    return app.exec();
}
