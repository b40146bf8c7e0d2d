#include "step.h"

QString stepResultMessage(StepResult result) {
    switch (result) {
    case Step::Ended: return QStringLiteral("Programm wurde erfolgreich ausgeführt!");
    case Step::DivisionByZero: return QStringLiteral("Division durch Null, Abbruch!");
    case Step::UnknownTarget: return QStringLiteral("Unbekanntes Sprungziel, Abbruch!");
    case Step::UnknownInstruction: return QStringLiteral("Unbekannter Befehl, Abbruch!");
    case Step::InvalidRegister: return QStringLiteral("Ungültige Registernummer, Abbruch!");
    case Step::InvalidLabel: return QStringLiteral("Ungültige Zeilennummer, Abbruch!");
    case Step::Overflow: return QStringLiteral("Akkumulatorüberlauf, Abbruch!");
    default: return QString();
    }
}

int stepResultHelpTopic(StepResult result) {
    switch (result) {
    case Step::DivisionByZero: return 1;
    case Step::UnknownTarget: return 2;
    case Step::UnknownInstruction: return 3;
    case Step::InvalidRegister: return 4;
    case Step::InvalidLabel: return 7;
    case Step::Overflow: return 8;
    default: return 0;
    }
}
