// zevo-pruefen: grades register-machine programs against a task file in a
// window, for teachers and students who do not use a command line.

#include "applicationsetup.h"
#include "commandline.h"
#include "helpviewer.h"
#include "look.h"
#include "nativename.h"
#include "platformconsole.h"
#include "pruefencommandline.h"
#include "pruefenwindow.h"
#include "qtpruefendialogs.h"
#include "screenfit.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Read before QApplication exists: the scale factor only counts when Qt
    // starts, and --help must work without a display. Names stay as the
    // system gave them, so a submission whose name is not UTF-8 is found.
    const WindowCommandLine line = parseWindowCommandLine(programArguments(argc, argv));
    const PruefenFiles files = splitPruefenFiles(line.files);
    const auto print = [](std::FILE* stream, const QString& text) {
        PlatformConsole::useParentConsole();
        const QByteArray bytes = text.toUtf8();
        PlatformConsole::writeUtf8(stream, bytes.constData(), std::size_t(bytes.size()));
        std::fflush(stream);
    };
    const QString error = line.error.isEmpty() ? files.error : line.error;
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("zevo-pruefen: %1\nHilfe: zevo-pruefen --help\n")
                          .arg(messageText(error)));
        return 2;
    }
    if (line.help || line.version) {
        print(stdout, line.help ? pruefenHelpText() : versionText());
        return 0;
    }
    useGermanLocale();
    if (line.zoom)
        qputenv("QT_SCALE_FACTOR",
                QByteArray::number(ScreenFit::zoomForScreen(*line.zoom, argc, argv)));

    QApplication app(argc, argv);
    QApplication::setApplicationName(Look::applicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("zevo-pruefen"));
    QApplication::setWindowIcon(Look::applicationIcon());
    setUpApplication();

    HelpViewer helpViewer;
    helpViewer.setHelpFile(QStringLiteral("hilfedateien\\Zevo.hlp"));
    // Closing the grading window ends the program, an open help window too.
    helpViewer.setAttribute(Qt::WA_QuitOnClose, false);
    QtPruefenDialogs dialogs(helpViewer);
    PruefenWindow window(dialogs);
    dialogs.setParentWindow(&window);
    ScreenFit::fitSize(window);
    ScreenFit::placeInside(window);
    window.show();

    // The task first: adding the programs then grades them at once.
    if (!files.task.isEmpty())
        window.openTask(files.task);
    window.addPrograms(files.programs);
    return app.exec();
}
