#include "UZevo.h"

#include "RMProgramEditor.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "applicationsetup.h"
#include "commandguard.h"
#include "dialogs.h"
#include "highlightrule.h"
#include "labelglyphpainter.h"
#include "look.h"
#include "platformtimer.h"
#include "shortcutrouter.h"
#include "step.h"
#include "tRegisterEditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSlider>
#include <QThread>
#include <QTimer>

namespace {

const QString ExitQuestion =
    QStringLiteral("Möchten Sie %1 wirklich beenden?").arg(Look::applicationTitle());

} // namespace

THauptformular::THauptformular(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Hauptformular"));
    setWindowTitle(Look::applicationTitle());
    // Fixed size: system menu, minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    createControls();
    createCommands();
    createToolBar();
    placeControls();

    m_run = std::make_unique<RunControl>(*ProgramMemo, *RegisterEditor, m_settings, *this,
                                         m_dialogs);
    m_document = std::make_unique<ProgramDocument>(*ProgramMemo, m_settings, m_dialogs);

    connectControls();
    connectDocument();
    initialState();
}

THauptformular::~THauptformular() = default;

void THauptformular::connectControls() {
    // The counter changes on every step of a run.
    LabelGlyphPainter::install(StepsLabel);
    connect(TaktrateTrackBar, &QSlider::valueChanged, this, &THauptformular::updateFrequency);
    connect(RegisterEditor, &TRegisterEditor::registerEditorClicked, this,
            &THauptformular::RegisterEditorClick);
}

// A new program starts with empty registers and the counter at 0, and must be
// reset before it runs; a loaded one is reset at once, as "Zurücksetzen" does.
// None of these reactions throws: they run inside the document's signals.
void THauptformular::connectDocument() {
    ProgramDocument* document = m_document.get();
    connect(document, &ProgramDocument::newProgramBegun, RegisterEditor,
            &TRegisterEditor::ClearRegisters);
    connect(document, &ProgramDocument::programEmptied, this, [this] { m_run->ShowStepCount(0); });
    connect(document, &ProgramDocument::newProgramReady, this,
            [this] { m_run->SetCommandStates(CommandState::Stopped); });
    connect(document, &ProgramDocument::programLoaded, this, &THauptformular::ProgrammResetClick);
    connect(document, &ProgramDocument::captionChanged, this, &QWidget::setWindowTitle);
}

void THauptformular::initialState() {
    updateFrequency(TaktrateTrackBar->value());
    m_run->ShowStepCount(0);
    m_run->SetCommandStates(CommandState::Stopped);
    RegisterEditor->setDialogs(&m_dialogs);
    ProgramMemo->setDialogs(&m_dialogs);
    RegisterEditor->SetRegisterEditMasks();
    RegisterEditor->SetMarkChanges(true);
    ProgramMemo->setFocus();
}

void THauptformular::attach(TProtokollFormular& protocol, TOptionenFormular& options) {
    m_protocol = &protocol;
    m_options = &options;
    m_settings.setTarget(&options);
    // The run writes its protocol into that window for as long as it exists.
    m_run->setProtocolSink(&protocol);
    connect(&protocol, &QObject::destroyed, this, [this] { m_run->setProtocolSink(nullptr); });
    protocol.setFileNameSource([this] { return getActFileName(); });
    connect(&protocol, &TProtokollFormular::hiddenByUser, this,
            [this] { command(QStringLiteral("Protokoll"))->setChecked(false); });
    options.setDialogs(&m_dialogs);
    options.setClearProtocol([this] { m_run->clearProtocol(); });
    options.setSetMarkChanges([this](bool on) { SetMarkChanges(on); });
    // The menu's shortcut keys also work in these two windows, before their controls.
    protocol.addActions(m_shortcutCommands);
    options.addActions(m_shortcutCommands);
    m_router->addWindow(&protocol);
    m_router->addWindow(&options);
}

// --- RunWindow -------------------------------------------------------------

void THauptformular::SetMarkChanges(bool on) {
    RegisterEditor->SetMarkChanges(on);
}

int THauptformular::sliderPosition() const {
    return TaktrateTrackBar->value();
}

void THauptformular::focusEditor() {
    ProgramMemo->setFocus();
}

void THauptformular::processPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void THauptformular::sleep10ms() {
    // A sleep the system lets run long costs the top rate on every step.
    PlatformTimer::useExactSleeps();
    QThread::msleep(10);
}

// --- RunObserver -----------------------------------------------------------

void THauptformular::stepCountChanged(qint32 count) {
    StepsLabel->setText(QString::number(count));
}

void THauptformular::lineReached(qint32 line) {
    highlightIfWanted(m_settings, line, [this](qint32 next) {
        // A step that took the focus would send the user's next keys for the
        // cell into the program; the line is marked all the same.
        if (m_run->isRunning() && RegisterEditor->isEditingCell())
            ProgramMemo->markLineKeepingFocus(next);
        else
            ProgramMemo->HighlightLine(next);
    });
}

// --- Commands --------------------------------------------------------------

void THauptformular::NeuClick() {
    m_document->NeuClick();
}
void THauptformular::OeffnenClick() {
    if (mayLeaveRegisterCell())
        m_document->OeffnenClick();
}
void THauptformular::openAtStartUp(const QString& path) {
    // From the event loop: the editor then has its place and width, as for a
    // chosen file, and an error box appears over a window that is already there.
    QTimer::singleShot(0, this, [this, path] { m_document->openFile(path); });
}
void THauptformular::presetRegisters(const QList<QPair<qint32, qint32>>& values) {
    // As if typed: the mark of the register written last stays where it is.
    for (const auto& [n, value] : values)
        RegisterEditor->takeTypedValue(n, QString::number(value));
}
void THauptformular::SpeichernClick() {
    m_document->SpeichernClick();
}
void THauptformular::SpeichernunterClick() {
    m_document->SpeichernunterClick();
}
void THauptformular::DruckenClick() {
    m_document->DruckenClick();
}
void THauptformular::KopierenClick() {
    m_document->KopierenClick();
}

void THauptformular::BeendenClick() {
    close();
}

void THauptformular::EinzelschrittClick() {
    if (mayLeaveRegisterCell())
        m_run->EinzelschrittClick();
}
void THauptformular::ProgrammStartClick() {
    if (!mayLeaveRegisterCell())
        return;
    m_run->ProgrammStartClick();
    // Only a run shows the marked line while a register cell has the focus.
    ProgramMemo->showSelectionWithoutFocus(false);
}
void THauptformular::ProgrammStopClick() {
    m_run->ProgrammStopClick();
}
void THauptformular::ProgrammResetClick() {
    if (mayLeaveRegisterCell())
        m_run->ProgrammResetClick();
}

bool THauptformular::mayLeaveRegisterCell() {
    return RegisterEditor->mayTakeFocusFromCell();
}

void THauptformular::RegisterSpeichernClick() {
    if (mayLeaveRegisterCell())
        guardCommand(m_dialogs, [this] { RegisterEditor->SaveRegisters(); });
}

void THauptformular::RegisterLadenClick() {
    guardCommand(m_dialogs, [this] {
        RegisterEditor->RestoreRegisters();
        DisableRunCommands();
    });
}

void THauptformular::RegisterClearClick() {
    guardCommand(m_dialogs, [this] { RegisterEditor->ClearRegisters(); });
}

void THauptformular::RegisterEditorClick() {
    DisableRunCommands();
}

void THauptformular::ProtokollClick() {
    QAction* item = command(QStringLiteral("Protokoll"));
    // Decided by the window, not by the check mark the click may just have toggled.
    const bool show = m_protocol ? !m_protocol->isVisible() : !item->isChecked();
    if (m_protocol) {
        if (show) {
            m_protocol->show();
            m_protocol->raise();
            m_protocol->activateWindow();
        } else {
            m_protocol->hide();
        }
    }
    item->setChecked(show);
}

void THauptformular::ProtokolloptionenClick() {
    if (!m_options)
        return;
    m_options->show();
    m_options->raise();
    m_options->activateWindow();
}

void THauptformular::AnleitungClick() {
    m_dialogs.helpContents();
}

void THauptformular::InformationClick() {
    m_dialogs.helpTopic(5);
}

void THauptformular::updateFrequency(int position) {
    TaktrateLabel->setText(frequencyText(position, userNumberLocale()));
}

// --- Closing ---------------------------------------------------------------

bool THauptformular::exitProgram() {
    if (!m_settings.confirmExit())
        return true;
    return m_dialogs.confirm(ExitQuestion);
}

void THauptformular::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    guardCommand(m_dialogs, [&] { mayClose = exitProgram(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // A run in progress ends at once and without its abort message: no run
    // goes on without its window.
    m_run->abandonRun();
    // The other windows go with this one, so the application ends.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->hide();
    }
    event->accept();
}
