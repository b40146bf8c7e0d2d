#include "RMProgramEditor.h"
#include "tRegisterEditor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Zevo 1.0"));
    auto* layout = new QHBoxLayout(&window);
    auto* editor = new TRMProgramEditor(&window);
    editor->setObjectName(QStringLiteral("ProgramMemo"));
    auto* grid = new TRegisterEditor(&window);
    grid->setObjectName(QStringLiteral("RegisterEditor"));
    layout->addWidget(editor);
    layout->addWidget(grid);
    window.resize(401, 465);
    window.show();
    return app.exec();
}
