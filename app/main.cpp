#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "helpviewer.h"
#include "look.h"
#include "qtdialogs.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
    TProtokollFormular ProtokollFormular(*Hauptformular.RegisterEditor, *Hauptformular.ProgramMemo,
                                         dialogs);
    ProtokollFormular.hide();
    TOptionenFormular OptionenFormular;
    OptionenFormular.hide();
    Hauptformular.attach(ProtokollFormular, OptionenFormular);

    Hauptformular.show();
    return app.exec();
}
