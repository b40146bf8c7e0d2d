#include "qtdialogs.h"

#include "helpviewer.h"
#include "look.h"
#include "platformsettings.h"
#include "printfallback.h"
#include "screenfit.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <utility>

namespace {

// On this platform "*.*" would hide files without an extension, so the
// "all files" filters match every name.
const QStringList SaveFilters = {QStringLiteral("Registermaschinenprogramme (*.rmp)"),
                                 QStringLiteral("Alle Dateien (*)")};
const QStringList OpenFilters = {QStringLiteral("Registermaschinenprogramme (*.rmp)"),
                                 QStringLiteral("Alle Programme (*)")};

// Each box and dialog opens above every window of ours, the protocol window
// that stays on top included; beneath it a box would look like a frozen program.
void raiseAboveOurWindows(QWidget& dialog) {
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
}

// The platform's pictures for the boxes have no versions for an enlarged
// display and come out blurred there; ours have. The box keeps its kind.
void showBoxPicture(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    if (!label)
        return;
    const Look::BoxPicture kind =
        box.icon() == QMessageBox::Information ? Look::BoxPicture::Information
        : box.icon() == QMessageBox::Question  ? Look::BoxPicture::Question
                                               : Look::BoxPicture::Critical;
    // 32 pixels as drawn, not the style's size: Qt 6.8's asks for 48, which
    // would make every box larger than under Qt 6.4.
    const int size = 32;
    label->setPixmap(Look::boxPicture(kind).pixmap(QSize(size, size), box.devicePixelRatio()));
}

// A message box has a title and a close button, nothing to resize.
void prepareBox(QMessageBox& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    raiseAboveOurWindows(box);
    showBoxPicture(box);
}

class WidenOnShow : public QObject {
public:
    WidenOnShow(QFileDialog& dialog, QTreeView& tree)
        : QObject(&dialog), m_dialog(dialog), m_tree(tree) {
        dialog.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Show) {
            const int missing =
                m_tree.header()->length() +
                m_tree.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_tree) -
                m_tree.viewport()->width();
            if (missing > 0) {
                m_dialog.resize(m_dialog.width() + missing, m_dialog.height());
                ScreenFit::fitSize(m_dialog);
            }
        }
        return false;
    }

private:
    QFileDialog& m_dialog;
    QTreeView& m_tree;
};

} // namespace

// Qt sizes the detail view's columns for English texts ("mp3Folder"), which
// cuts "Verzeichnis", the type of a program file and the German headings; each
// column gets room for its heading and its longest usual entry, and the dialog
// grows to show them all, as far as the screen allows.
void QtDialogs::fitColumns(QFileDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView* header = tree->header();
    const QFontMetrics text(tree->font());
    // What an item view puts around a cell's text.
    const int padding =
        2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1) + 4;
    const std::pair<int, QString> samples[] = {{1, QStringLiteral("1.023,9 KiB")},
                                               // a program file's type, as the desktop names it
                                               {2, QStringLiteral("Registermaschinenprogramm")},
                                               {3, QStringLiteral("31.12.26 23:59")}};
    for (const auto& [column, sample] : samples) {
        const int wanted =
            std::max(text.horizontalAdvance(sample) + padding, header->sectionSizeHint(column));
        header->resizeSection(column, std::max(wanted, header->sectionSize(column)));
    }
    // Once laid out for showing, the dialog grows until its view shows every
    // column whole, room for the scroll bar included, within the screen.
    new WidenOnShow(dialog, *tree);
}

namespace {

void prepareFileDialog(QFileDialog& dialog, const QStringList& filters,
                       const QString& initialName) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    raiseAboveOurWindows(dialog);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.setDirectory(QDir::currentPath());
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    QtDialogs::fitColumns(dialog);
    // Its widgets made, the dialog has read Qt's settings, which on Windows
    // left an empty key in the registry.
    PlatformSettings::removeEmptySettingsKeys();
}

QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

QtDialogs::QtDialogs(HelpViewer& helpViewer) : m_help(helpViewer) {
    keepNoSettings();
}

void QtDialogs::keepNoSettings() {
    // The file dialogs keep their history and last folders in Qt's user
    // settings. The program stores nothing but the files the user saves.
    PlatformSettings::keepNoSettings();
}

QtDialogs::~QtDialogs() = default;

QWidget* QtDialogs::boxParent() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_parent;
}

std::unique_ptr<QMessageBox> QtDialogs::informationBox(const QString& text, QWidget* parent) {
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("Information"), text,
                                      QMessageBox::NoButton, parent);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    prepareBox(*box);
    return box;
}

std::unique_ptr<QMessageBox> QtDialogs::errorBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("Fehler"), text,
                                             QMessageBox::NoButton, parent);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->addButton(QStringLiteral("&Hilfe"), QMessageBox::HelpRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    prepareBox(*box);
    return box;
}

std::unique_ptr<QMessageBox> QtDialogs::confirmationBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Bestätigung"),
                                             text, QMessageBox::NoButton, parent);
    QPushButton* yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no); // closing the box any other way counts as "&Nein"
    prepareBox(*box);
    return box;
}

std::unique_ptr<QMessageBox> QtDialogs::errorDisplay(const QString& message, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, Look::applicationTitle(),
                                             withFullStop(message), QMessageBox::NoButton, parent);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    prepareBox(*box);
    return box;
}

void QtDialogs::information(const QString& text) {
    informationBox(text, boxParent())->exec();
}

void QtDialogs::error(const QString& text, int helpTopic) {
    const auto box = errorBox(text, boxParent());
    box->exec();
    // The help viewer is a window of this application, which the modal box
    // would block; so the box closes first and the topic opens after it.
    if (box->buttonRole(box->clickedButton()) == QMessageBox::HelpRole)
        helpTopic > 0 ? m_help.showTopic(helpTopic) : m_help.showContents();
}

bool QtDialogs::confirm(const QString& text) {
    const auto box = confirmationBox(text, boxParent());
    box->exec();
    return box->clickedButton() == box->defaultButton();
}

void QtDialogs::showError(const QString& message) {
    errorDisplay(message, boxParent())->exec();
}

void QtDialogs::notice(const QString& text) {
    auto box = informationBox(text, boxParent());
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    (void)box.release(); // deletes itself once closed
}

QString QtDialogs::openFileName(const QString& initialName) {
    QFileDialog dialog(boxParent());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the typed name need not exist
    prepareFileDialog(dialog, OpenFilters, initialName);
    return chosenFile(dialog);
}

QString QtDialogs::saveFileName(const QString& initialName) {
    QFileDialog dialog(boxParent());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("rmp"));
    prepareFileDialog(dialog, SaveFilters, initialName);
    dialog.setSidebarUrls({});
    if (QWidget* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar")))
        sidebar->hide();
    return chosenFile(dialog);
}

void QtDialogs::offerPdfName(QPrintDialog& dialog, const QString& pdfName) {
    if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        field->setText(QDir::toNativeSeparators(pdfName));
}

QPrinter* QtDialogs::choosePrinter(const QString& pdfName) {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Without a printer Qt's dialog does nothing visible on Windows.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString file = pdfInsteadOfPrinter(*this, pdfName);
        if (file.isEmpty())
            return nullptr;
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(file);
        return m_printer.get();
    }
    // Qt would offer the file printed to last (the protocol's PDF when the
    // program is printed next), or "print.pdf" in the home folder. A chosen
    // printer stays chosen; a PDF file as last choice gets this printout's name.
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        m_printer->setOutputFileName(pdfName);
    QPrintDialog dialog(m_printer.get(), boxParent());
    raiseAboveOurWindows(dialog);
    offerPdfName(dialog, pdfName);
    // "Optionen >>" makes the dialog grow downwards, enlarged past the screen's
    // edge, where "Drucken" and "Abbrechen" could not be reached.
    ScreenFit::keepInsideWhenGrown(dialog);
    // Qt's dialog asks itself before it replaces an existing file.
    return dialog.exec() == QDialog::Accepted ? m_printer.get() : nullptr;
}

QString QtDialogs::pdfFileName(const QString& initialName) {
    QFileDialog dialog(boxParent());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // Replacing an existing file is asked about (the dialog's own question).
    prepareFileDialog(dialog, {QStringLiteral("PDF-Dateien (*.pdf)")}, initialName);
    dialog.setDirectory(QFileInfo(initialName).absolutePath());
    dialog.selectFile(QFileInfo(initialName).fileName());
    return chosenFile(dialog);
}

void QtDialogs::helpContents() {
    m_help.showContents();
}

void QtDialogs::helpTopic(int contextNumber) {
    m_help.showTopic(contextNumber);
}

void QtDialogs::beep() {
    QApplication::beep();
}
