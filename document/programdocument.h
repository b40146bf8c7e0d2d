#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class Settings;
class TRMProgramEditor;

// The program as a document: New, Open, Save, Save as, the program printout
// and the clipboard copy, with ActFileName and the window caption. The main
// window's handlers delegate here; the document tells what happened to the
// program through its signals and leaves the registers, the counter and the
// run to whoever listens.
class ProgramDocument : public QObject {
    Q_OBJECT
public:
    ProgramDocument(TRMProgramEditor& editor, const Settings& settings, Dialogs& dialogs);

    void NeuClick();
    void OeffnenClick();
    // "Öffnen..." with the file already chosen (a program named at start-up).
    void openFile(const QString& name);
    void SpeichernClick();
    void SpeichernunterClick();
    void DruckenClick();
    void KopierenClick();

    QString getActFileName() const { return ActFileName; }
    void UpdateCaption();

signals:
    // "Neu" tells three moments, in this order: the old program is given up
    // (its file name is gone, the text not yet), the editor has been emptied,
    // and the new template stands in it, not yet reset.
    void newProgramBegun();
    void programEmptied();
    void newProgramReady();
    // "Öffnen...": a file's text and name have replaced the program.
    void programLoaded();
    void captionChanged(const QString& caption);

private:
    void newProgram();
    void openProgram();
    void loadProgram(const QString& name);
    void saveProgramAs();
    void writeProgram(const QString& path);
    // Makes the change of ActFileName part of the editor's current undo step.
    void recordFileNameChange(const QString& previousName);
    void printProgram();

    TRMProgramEditor& m_editor;
    const Settings& m_settings;
    Dialogs& m_dialogs;
    QString ActFileName;
    // Each file dialog remembers its own last name, apart from ActFileName.
    QString m_lastOpenName;
    QString m_lastSaveName = QStringLiteral("test");
};
