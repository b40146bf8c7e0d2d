#include "UZevoProtokoll.h"

#include "commandguard.h"
#include "dialogs.h"
#include "look.h"
#include "plaintextprinter.h"
#include "printfallback.h"
#include "protocolview.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>

namespace {
// The layout at the initial client size; the buttons keep their distance from
// the right edge when the window is resized.
constexpr QPoint InitialPosition{360, 216};
constexpr QSize InitialClientSize{450, 303};
constexpr int PanelHeight = 51;
constexpr QRect ZwischenablageRect{28, 16, 121, 25};
constexpr QRect DruckRect{156, 16, 89, 25};
constexpr QRect SchliessenRect{252, 16, 97, 25};
constexpr QRect HilfeRect{356, 16, 73, 25};

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QIcon& icon) {
    auto* button = new QPushButton(icon, caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

TProtokollFormular::TProtokollFormular(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("ProtokollFormular"));
    setWindowTitle(QStringLiteral("Protokoll"));
    setFont(Look::windowFont());

    ProtokollMemo = new ProtocolView(this);
    ProtokollMemo->setObjectName(QStringLiteral("ProtokollMemo"));
    ProtokollMemo->setAccessibleName(QStringLiteral("Protokoll"));
    QPalette palette = ProtokollMemo->palette();
    palette.setColor(QPalette::Base, Look::Cream);
    ProtokollMemo->setPalette(palette);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The pictures of the main window's commands that do the same.
    ZwischenablageButton =
        makeButton(Panel, "ZwischenablageButton", QStringLiteral("Zwischenablage"),
                   Look::picture(Look::Picture::Kopieren));
    DruckButton = makeButton(Panel, "DruckButton", QStringLiteral("Drucken"),
                             Look::picture(Look::Picture::Drucken));
    SchliessenButton = makeButton(Panel, "SchliessenButton", QStringLiteral("Schließen"),
                                  Look::picture(Look::Picture::Beenden));
    HilfeButton = makeButton(Panel, "HilfeButton", QStringLiteral("Hilfe"),
                             Look::picture(Look::Picture::Anleitung));
    setTabOrder(ProtokollMemo, DruckButton);
    setTabOrder(DruckButton, ZwischenablageButton);
    setTabOrder(ZwischenablageButton, SchliessenButton);
    setTabOrder(SchliessenButton, HilfeButton);

    connect(DruckButton, &QPushButton::clicked, this, &TProtokollFormular::DruckButtonClick);
    connect(ZwischenablageButton, &QPushButton::clicked, this,
            &TProtokollFormular::ZwischenablageButtonClick);
    connect(SchliessenButton, &QPushButton::clicked, this,
            &TProtokollFormular::SchliessenButtonClick);
    connect(HilfeButton, &QPushButton::clicked, this, &TProtokollFormular::HilfeButtonClick);

    resize(InitialClientSize);
    move(InitialPosition);
    placeControls();
}

void TProtokollFormular::placeControls() {
    const int width = this->width();
    const int memoHeight = qMax(0, height() - PanelHeight);
    ProtokollMemo->setGeometry(0, 0, width, memoHeight);
    Panel->setGeometry(0, memoHeight, width, PanelHeight);
    const int shift = width - InitialClientSize.width();
    ZwischenablageButton->setGeometry(ZwischenablageRect.translated(shift, 0));
    DruckButton->setGeometry(DruckRect.translated(shift, 0));
    SchliessenButton->setGeometry(SchliessenRect.translated(shift, 0));
    HilfeButton->setGeometry(HilfeRect.translated(shift, 0));
}

void TProtokollFormular::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
}

void TProtokollFormular::setFileNameSource(std::function<QString()> getActFileName) {
    m_fileName = std::move(getActFileName);
}

void TProtokollFormular::startProtocol(const QString& heading) {
    ProtokollMemo->clear();
    ProtokollMemo->appendLines({heading});
}

void TProtokollFormular::appendEntry(std::span<const QString> lines) {
    ProtokollMemo->appendLines(QStringList(lines.begin(), lines.end()));
}

QStringList TProtokollFormular::protocolLines() const {
    return ProtokollMemo->lines();
}

void TProtokollFormular::FormClose() {
    hide();
    emit hiddenByUser();
}

void TProtokollFormular::closeEvent(QCloseEvent* event) {
    // An accepted close only hides a window (it is not deleted on close), so the
    // protocol lives on; accepting also lets the application quit while it is shown.
    event->accept();
    FormClose();
}

void TProtokollFormular::SchliessenButtonClick() {
    FormClose();
}

void TProtokollFormular::HilfeButtonClick() {
    m_dialogs.helpTopic(6);
}

void TProtokollFormular::ZwischenablageButtonClick() {
    // The selection ends after the last line break, so every line keeps its CR LF.
    ProtokollMemo->selectAll();
    QGuiApplication::clipboard()->setText(ProtokollMemo->selectedText());
}

void TProtokollFormular::DruckButtonClick() {
    guardCommand(m_dialogs, [this] {
        const QString fileName = m_fileName ? m_fileName() : QString();
        QPrinter* printer = m_dialogs.choosePrinter(protocolPdfName(fileName));
        if (!printer)
            return;
        printPlainText(*printer, protocolLines(), font(), fileName);
    });
}
