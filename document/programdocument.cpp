#include "programdocument.h"

#include "RMProgramEditor.h"
#include "commandguard.h"
#include "dialogs.h"
#include "highlightrule.h"
#include "look.h"
#include "nativename.h"
#include "plaintextprinter.h"
#include "printfallback.h"
#include "programfile.h"
#include "zevoerror.h"

#include <QAbstractUndoItem>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>

namespace {

const QString DefaultExtension = QStringLiteral(".rmp");

// The save dialog appends the default extension to a name typed without one.
QString withDefaultExtension(const QString& name) {
    const QString base = QFileInfo(name).fileName();
    return base.contains(u'.') ? name : name + DefaultExtension;
}

// "Neu" and "Öffnen..." change the file name with the text, in one undo step:
// an undone Open must not leave the text of one file under the name of another.
class FileNameUndo : public QAbstractUndoItem {
public:
    FileNameUndo(std::function<void(const QString&)> setName, QString before, QString after)
        : m_setName(std::move(setName)), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_setName(m_before); }
    void redo() override { m_setName(m_after); }

private:
    std::function<void(const QString&)> m_setName;
    QString m_before;
    QString m_after;
};

} // namespace

ProgramDocument::ProgramDocument(TRMProgramEditor& editor, const Settings& settings,
                                 Dialogs& dialogs)
    : m_editor(editor), m_settings(settings), m_dialogs(dialogs) {}

void ProgramDocument::NeuClick() {
    guardCommand(m_dialogs, [this] { newProgram(); });
}
void ProgramDocument::OeffnenClick() {
    guardCommand(m_dialogs, [this] { openProgram(); });
}
void ProgramDocument::openFile(const QString& name) {
    guardCommand(m_dialogs, [this, &name] { loadProgram(name); });
}
void ProgramDocument::SpeichernClick() {
    guardCommand(m_dialogs, [this] {
        if (ActFileName.isEmpty())
            saveProgramAs();
        else
            writeProgram(ActFileName);
    });
}
void ProgramDocument::SpeichernunterClick() {
    guardCommand(m_dialogs, [this] { saveProgramAs(); });
}
void ProgramDocument::DruckenClick() {
    guardCommand(m_dialogs, [this] { printProgram(); });
}

void ProgramDocument::newProgram() {
    const QString previousName = ActFileName;
    ActFileName.clear();
    emit newProgramBegun();
    // Clearing and the template are one edit, so one undo brings back the
    // program that was there before, with its file name.
    QTextCursor edit(m_editor.document());
    edit.beginEditBlock();
    m_editor.replaceWholeText(QString());
    emit programEmptied();
    for (int i = 1; i <= 10; ++i)
        m_editor.addLine(QString::number(10 * i) + u' ');
    recordFileNameChange(previousName);
    edit.endEditBlock();
    m_editor.setCaretPosition(3); // behind "10 "
    UpdateCaption();
    emit newProgramReady();
}

void ProgramDocument::openProgram() {
    const QString name = m_dialogs.openFileName(m_lastOpenName);
    if (!name.isEmpty())
        loadProgram(name);
}

void ProgramDocument::loadProgram(const QString& name) {
    // The open dialog offers this name next, also for a file named at
    // start-up: the next task of a class usually lies beside it.
    m_lastOpenName = name;
    const QString text = ProgramFile::load(name); // a failure changes nothing
    const QString previousName = ActFileName;
    ActFileName = QFileInfo(name).absoluteFilePath();
    QTextCursor edit(m_editor.document());
    edit.beginEditBlock();
    m_editor.replaceWholeText(text);
    recordFileNameChange(previousName);
    edit.endEditBlock();
    m_editor.setCaretPosition(0);
    highlightIfWanted(m_settings, 0, [this](qint32 line) { m_editor.HighlightLine(line); });
    UpdateCaption();
    emit programLoaded();
}

void ProgramDocument::recordFileNameChange(const QString& previousName) {
    const auto setName = [this](const QString& name) {
        ActFileName = name;
        UpdateCaption();
    };
    m_editor.document()->appendUndoItem(new FileNameUndo(setName, previousName, ActFileName));
}

void ProgramDocument::saveProgramAs() {
    const QString chosen = m_dialogs.saveFileName(m_lastSaveName);
    if (chosen.isEmpty())
        return;
    const QString name = withDefaultExtension(chosen);
    m_lastSaveName = name;
    writeProgram(name);
    ActFileName = QFileInfo(name).absoluteFilePath();
    UpdateCaption();
}

void ProgramDocument::writeProgram(const QString& path) {
    ProgramFile::save(path, m_editor.wholeText());
}

void ProgramDocument::printProgram() {
    if (ActFileName.isEmpty()) {
        m_dialogs.information(QStringLiteral("Sie müssen die Datei zuerst speichern!!"));
        return;
    }
    QPrinter* printer = m_dialogs.choosePrinter(programPdfName(ActFileName));
    if (!printer)
        return;
    QStringList lines;
    const qint32 count = m_editor.lineCount();
    lines.reserve(count);
    for (qint32 i = 0; i < count; ++i)
        lines << m_editor.lineText(i);
    printPlainText(*printer, lines, m_editor.font(), ActFileName);
}

void ProgramDocument::KopierenClick() {
    guardCommand(m_dialogs, [this] {
        const qint64 caret = m_editor.caretPosition();
        m_editor.selectAll();
        // The editor's own copy would separate lines by LF; the clipboard gets CR LF.
        QGuiApplication::clipboard()->setText(m_editor.wholeText());
        m_editor.setCaretPosition(caret);
    });
}

void ProgramDocument::UpdateCaption() {
    if (ActFileName.isEmpty()) {
        emit captionChanged(Look::applicationTitle());
        return;
    }
    const QString path = QDir::fromNativeSeparators(ActFileName);
    // messageText: a byte of the name that is not UTF-8 shows as "\xNN", not as a box.
    emit captionChanged(Look::applicationTitle() + QStringLiteral(" (") +
                        messageText(path.mid(path.lastIndexOf(u'/') + 1)) + u')');
}
