// The fixed pixel layout of the main window.

#include "UZevo.h"

#include "RMProgramEditor.h"
#include "look.h"
#include "runcontrol.h"
#include "tRegisterEditor.h"
#include "toolbarlayout.h"
#include "windowgeometry.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

namespace {

QFont boldFont(int pixelSize) {
    QFont font = Look::windowFont();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    Look::setGroupBoxLook(box);
    return box;
}

} // namespace

void THauptformular::createControls() {
    setFont(Look::windowFont());
    setWindowIcon(Look::applicationIcon());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    QuellcodeGroupBox = groupBox(client, "QuellcodeGroupBox", QStringLiteral("Quellcode:"));
    ProgramMemo = new TRMProgramEditor(QuellcodeGroupBox);
    ProgramMemo->setObjectName(QStringLiteral("ProgramMemo"));

    BelegungGroupBox = groupBox(client, "BelegungGroupBox", QStringLiteral("Registerbelegung:"));
    // The grid lies on the window, above the empty frame of its group box.
    RegisterEditor = new TRegisterEditor(client);
    RegisterEditor->setObjectName(QStringLiteral("RegisterEditor"));
    RegisterEditor->setAccessibleName(QStringLiteral("Registerbelegung"));

    TaktrateGroupBox = groupBox(client, "TaktrateGroupBox", QStringLiteral("Taktrate:"));
    TaktrateTrackBar = new QSlider(Qt::Horizontal, TaktrateGroupBox);
    TaktrateTrackBar->setObjectName(QStringLiteral("TaktrateTrackBar"));
    TaktrateTrackBar->setRange(SliderMinimum, SliderMaximum);
    TaktrateTrackBar->setValue(SliderInitial);
    TaktrateTrackBar->setTickInterval(100);
    TaktrateTrackBar->setTickPosition(QSlider::TicksBelow);
    TaktrateLabel = new QLabel(TaktrateGroupBox);
    TaktrateLabel->setObjectName(QStringLiteral("TaktrateLabel"));
    TaktrateLabel->setAccessibleName(QStringLiteral("Taktrate"));
    TaktrateLabel->setFont(boldFont(13));
    TaktrateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    SchritteGroupBox = groupBox(client, "SchritteGroupBox", QStringLiteral("Schritte:"));
    StepsLabel = new QLabel(SchritteGroupBox);
    StepsLabel->setObjectName(QStringLiteral("StepsLabel"));
    // Named before it shows a text: the first text already makes the label's
    // accessible interface, and the name decides which one.
    StepsLabel->setAccessibleName(QStringLiteral("Schritte"));
    StepsLabel->setText(QStringLiteral("0"));
    StepsLabel->setFont(boldFont(16));
    StepsLabel->setAlignment(Qt::AlignCenter);
    // The counter changes every step of a run; filled with the window colour it
    // looks the same but repaints alone, without the group box and window under it.
    StepsLabel->setAutoFillBackground(true);

    setTabOrder(ProgramMemo, RegisterEditor);
    setTabOrder(RegisterEditor, TaktrateTrackBar);
}

void THauptformular::placeControls() {
    // The client area below the menu bar; the window cannot be resized.
    centralWidget()->setFixedSize(WindowGeometry::MainClientSize);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(WindowGeometry::MainWindowPlace);

    ToolBar->setGeometry(0, 0, WindowGeometry::MainClientSize.width(), 29);
    // The toolbar's own button for buttons that do not fit: never shown here,
    // but a screen reader lists it all the same.
    if (auto* more = ToolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Weitere Schaltflächen"));
    // The toolbar's items were made from the same table, in its order.
    for (qsizetype i = 0; i < m_toolBarItems.size(); ++i) {
        const ToolBarLayout::Item& item = ToolBarLayout::Items[i];
        const int width = item.button ? ToolBarLayout::ButtonWidth : ToolBarLayout::DividerWidth;
        m_toolBarItems[i]->setGeometry(item.left, ToolBarLayout::Top, width, ToolBarLayout::Height);
    }

    QuellcodeGroupBox->setGeometry(0, 32, 241, 377);
    ProgramMemo->setGeometry(8, 16, 225, 353);
    BelegungGroupBox->setGeometry(248, 32, 153, 377);
    RegisterEditor->setGeometry(256, 48, 137, 353);
    RegisterEditor->raise();

    TaktrateGroupBox->setGeometry(0, 416, 321, 49);
    TaktrateTrackBar->setGeometry(8, 16, 241, 25);
    // Right-aligned at the box's right edge; wide enough for "100,0 Hz  " in this face.
    TaktrateLabel->setGeometry(252, 20, 61, 17);

    SchritteGroupBox->setGeometry(328, 416, 73, 49);
    StepsLabel->setGeometry(2, 14, 69, 33);
}
