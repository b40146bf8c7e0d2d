#include "run.h"

QString emptyFirstLineMessage() {
    return QStringLiteral("Die erste Programmzeile ist leer, das Programm kann nicht "
                          "zurückgesetzt werden!");
}

QString stepLimitMessage() {
    return QStringLiteral("Schrittlimit erreicht, Abbruch!");
}

RunOutcome runOutcome(StepResult result, qint32 stepCount) {
    RunOutcome outcome;
    if (result == Step::Continue) {
        outcome.exitStatus = 1;
        outcome.message = stepLimitMessage();
    } else {
        outcome.exitStatus = result == Step::Ended ? 0 : int(result);
        outcome.message = stepResultMessage(result);
    }
    outcome.stepCount = stepCount;
    return outcome;
}
