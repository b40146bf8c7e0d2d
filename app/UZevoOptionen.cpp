#include "UZevoOptionen.h"

#include "commandguard.h"
#include "dialogs.h"
#include "look.h"
#include "radiogroup.h"
#include "updownarrows.h"
#include "windowgeometry.h"
#include "wrappingcheckbox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {
const QString RegisterLabelText = QStringLiteral("Anzeige der Register 0 bis ");
constexpr qint16 FirstLastRegister = 0;
constexpr qint16 MaxLastRegister = 50;
} // namespace

TOptionenFormular::TOptionenFormular(QWidget* parent)
    // Above the protocol window, which stays on top: opened while it is
    // shown, the dialog would otherwise come up beneath it. Without a sizing
    // border on Windows, as the main window: a fixed size alone still lets a
    // window manager under Wine pull it larger, over an unlaid black area.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("OptionenFormular"));
    setWindowTitle(QStringLiteral("Optionen"));
    setModal(false);
    setFont(Look::windowFont());
    createControls();
    placeControls();

    connect(OKButton, &QPushButton::clicked, this, &TOptionenFormular::OKButtonClick);
    connect(UpDown, &UpDownArrows::positionChanged, this, &TOptionenFormular::UpDownClick);
    connect(ProtokollartRadioGroup, &RadioGroup::itemIndexChanged, this,
            &TOptionenFormular::ProtokollartRadioGroupClick);
    connect(AbstandRadioGroup, &RadioGroup::itemIndexChanged, this,
            &TOptionenFormular::AbstandRadioGroupClick);
    connect(RegistermarkierenCheckBox, &QCheckBox::toggled, this,
            &TOptionenFormular::RegistermarkierenCheckBoxClick);
}

void TOptionenFormular::createControls() {
    OptionenPageControl = new QTabWidget(this);
    OptionenPageControl->setObjectName(QStringLiteral("OptionenPageControl"));
    OptionenTabSheet = new QWidget;
    OptionenTabSheet->setObjectName(QStringLiteral("OptionenTabSheet"));
    ProtokollTabSheet = new QWidget;
    ProtokollTabSheet->setObjectName(QStringLiteral("ProtokollTabSheet"));
    OptionenPageControl->addTab(OptionenTabSheet, QStringLiteral("Programmeinstellungen"));
    OptionenPageControl->addTab(ProtokollTabSheet, QStringLiteral("Protokollleinstellungen"));

    SicherheitsabfrageCheckBox = new WrappingCheckBox(
        QStringLiteral("Sicherheitsabfrage beim Beenden einblenden"), OptionenTabSheet);
    SicherheitsabfrageCheckBox->setObjectName(QStringLiteral("SicherheitsabfrageCheckBox"));
    RegistermarkierenCheckBox = new QCheckBox(
        QStringLiteral("Veränderte Register beim Programmlauf markieren"), OptionenTabSheet);
    RegistermarkierenCheckBox->setObjectName(QStringLiteral("RegistermarkierenCheckBox"));
    ProgrammzeilemarkierenCheckBox =
        new QCheckBox(QStringLiteral("Aktuelle Programmzeile hervorheben"), OptionenTabSheet);
    ProgrammzeilemarkierenCheckBox->setObjectName(QStringLiteral("ProgrammzeilemarkierenCheckBox"));
    for (QCheckBox* box :
         {SicherheitsabfrageCheckBox, RegistermarkierenCheckBox, ProgrammzeilemarkierenCheckBox})
        box->setChecked(true);

    ProtokollartRadioGroup = new RadioGroup(
        QStringLiteral("Protokollart"),
        {QStringLiteral("Registerprotokoll"), QStringLiteral("Register- und Befehlsprotokoll")}, 1,
        ProtokollTabSheet);
    ProtokollartRadioGroup->setObjectName(QStringLiteral("ProtokollartRadioGroup"));
    AnzahlGroupBox = new QGroupBox(QStringLiteral("Anzahl der Register"), ProtokollTabSheet);
    AnzahlGroupBox->setObjectName(QStringLiteral("AnzahlGroupBox"));
    AnzRegLabel =
        new QLabel(RegisterLabelText + QString::number(DefaultLastRegister), AnzahlGroupBox);
    AnzRegLabel->setObjectName(QStringLiteral("AnzRegLabel"));
    UpDown =
        new UpDownArrows(FirstLastRegister, MaxLastRegister, DefaultLastRegister, AnzahlGroupBox);
    UpDown->setObjectName(QStringLiteral("UpDown"));
    AbstandRadioGroup =
        new RadioGroup(QStringLiteral("Abstände zwischen den Registern"),
                       {QStringLiteral("klein"), QStringLiteral("groß")}, 2, ProtokollTabSheet);
    AbstandRadioGroup->setObjectName(QStringLiteral("AbstandRadioGroup"));
    for (QGroupBox* box : {static_cast<QGroupBox*>(ProtokollartRadioGroup), AnzahlGroupBox,
                           static_cast<QGroupBox*>(AbstandRadioGroup)})
        Look::setGroupBoxLook(box);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
}

void TOptionenFormular::placeControls() {
    constexpr int Width = WindowGeometry::OptionsDialogSize.width();
    setFixedSize(WindowGeometry::OptionsDialogSize);
    move(WindowGeometry::OptionsDialogPlace);
    OptionenPageControl->setGeometry(0, 0, Width, 265);
    SicherheitsabfrageCheckBox->setGeometry(16, 16, 241, 33);
    RegistermarkierenCheckBox->setGeometry(16, 56, 265, 17);
    ProgrammzeilemarkierenCheckBox->setGeometry(16, 88, 201, 17);
    // The stand-in font runs a little wider than the 11-pixel system font the
    // layout was made for: a one-line caption may grow to the page's edge
    // rather than be cut off.
    for (QCheckBox* box : {RegistermarkierenCheckBox, ProgrammzeilemarkierenCheckBox}) {
        const int room = Width - 4 - box->x();
        box->resize(qBound(box->width(), box->sizeHint().width(), room), box->height());
    }
    ProtokollartRadioGroup->setGeometry(8, 8, 297, 73);
    AnzahlGroupBox->setGeometry(8, 96, 297, 65);
    AnzRegLabel->move(16, 24);
    AnzRegLabel->adjustSize();
    // The label's longest text in the stand-in font reaches past x 160: the
    // arrows keep their distance from it rather than touch it.
    const int labelRight =
        AnzRegLabel->x() + AnzRegLabel->fontMetrics().horizontalAdvance(
                               RegisterLabelText + QString::number(MaxLastRegister));
    UpDown->setGeometry(qMax(160, labelRight + 6), 16, 17, 25);
    AbstandRadioGroup->setGeometry(8, 168, 297, 49);
    OKButton->setGeometry(232, 272, 75, 25);
}

void TOptionenFormular::setClearProtocol(std::function<void()> clearProtocol) {
    m_clearProtocol = std::move(clearProtocol);
}

void TOptionenFormular::setSetMarkChanges(std::function<void(bool)> setMarkChanges) {
    m_setMarkChanges = std::move(setMarkChanges);
}

void TOptionenFormular::setDialogs(Dialogs* dialogs) {
    m_dialogs = dialogs;
}

void TOptionenFormular::guarded(const std::function<void()>& work) {
    if (m_dialogs)
        guardCommand(*m_dialogs, work);
    else
        work();
}

void TOptionenFormular::clearProtocol() {
    guarded([this] {
        if (m_clearProtocol)
            m_clearProtocol();
    });
}

void TOptionenFormular::OKButtonClick() {
    hide();
}

void TOptionenFormular::UpDownClick() {
    AnzRegLabel->setText(RegisterLabelText + QString::number(UpDown->position()));
    AnzRegLabel->adjustSize();
    clearProtocol();
}

void TOptionenFormular::ProtokollartRadioGroupClick() {
    clearProtocol();
}

void TOptionenFormular::AbstandRadioGroupClick() {
    clearProtocol();
}

void TOptionenFormular::RegistermarkierenCheckBoxClick() {
    guarded([this] {
        if (m_setMarkChanges)
            m_setMarkChanges(RegistermarkierenCheckBox->isChecked());
    });
}

bool TOptionenFormular::confirmExit() const {
    return SicherheitsabfrageCheckBox->isChecked();
}

bool TOptionenFormular::markChangedRegisters() const {
    return RegistermarkierenCheckBox->isChecked();
}

bool TOptionenFormular::highlightCurrentLine() const {
    return ProgrammzeilemarkierenCheckBox->isChecked();
}

ProtocolKind TOptionenFormular::protocolKind() const {
    return ProtokollartRadioGroup->itemIndex() == 1 ? ProtocolKind::RegistersAndInstruction
                                                    : ProtocolKind::RegistersOnly;
}

int TOptionenFormular::protocolLastRegister() const {
    return UpDown->position();
}

ProtocolSpacing TOptionenFormular::protocolSpacing() const {
    return AbstandRadioGroup->itemIndex() == 1 ? ProtocolSpacing::Gross : ProtocolSpacing::Klein;
}
