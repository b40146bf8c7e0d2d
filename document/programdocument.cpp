#include "programdocument.h"

#include "RMProgramEditor.h"
#include "dialogs.h"

ProgramDocument::ProgramDocument(TRMProgramEditor& editor, DocumentHost& host, Dialogs& dialogs)
    : m_editor(editor), m_host(host), m_dialogs(dialogs) {}

void ProgramDocument::NeuClick() {}
void ProgramDocument::OeffnenClick() {}
void ProgramDocument::SpeichernClick() {}
void ProgramDocument::SpeichernunterClick() {}
void ProgramDocument::DruckenClick() {}
void ProgramDocument::KopierenClick() {}

void ProgramDocument::UpdateCaption() { m_host.setCaption(QStringLiteral("Zevo 1.0")); }
