#pragma once

#include <QString>

class Dialogs;
class TRMProgramEditor;

// What the file commands need of the main window.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void ClearRegisters() = 0;
    virtual void ShowStepCount(qint32 n) = 0;
    virtual void setStoppedState() = 0; // SetCommandStates(stopped)
    virtual void setCaption(const QString& caption) = 0;
    virtual bool highlightCurrentLine() const = 0;
    virtual void ProgrammResetClick() = 0;
};

// The program as a document: New, Open, Save, Save as, the program printout
// and the clipboard copy, with ActFileName and the window caption. The main
// window's handlers delegate here.
class ProgramDocument {
public:
    ProgramDocument(TRMProgramEditor& editor, DocumentHost& host, Dialogs& dialogs);

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
    DocumentHost& m_host;
    Dialogs& m_dialogs;
    QString ActFileName;
    // Each file dialog remembers its own last name, apart from ActFileName.
    QString m_lastOpenName;
    QString m_lastSaveName = QStringLiteral("test");
};
