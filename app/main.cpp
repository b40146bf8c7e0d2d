#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "helpviewer.h"
#include "protocolaccessible.h"
#include "qtdialogs.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ProtocolViewAccessible::install();
    // The title the platform shows for the application. Not the display name:
    // Qt would append that to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Zevo 1.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zevo"));
    if (QFile::exists(QStringLiteral(":/icons/zevo.png")))
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zevo.png")));

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
