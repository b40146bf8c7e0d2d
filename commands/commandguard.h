#pragma once

#include "dialogs.h"
#include "zevoerror.h"

#include <QString>
#include <exception>
#include <new>

// The boundary of every command: its work either completes or ends at the one
// error display; nothing is thrown on into Qt's event loop. onFailure runs
// first, so the command's state is settled before the message box opens.
// Returns false when the work failed. Only ZevoError carries a message for the
// user; anything else thrown is shown in German without its English what().
template <typename Work, typename OnFailure>
bool guardCommand(Dialogs& dialogs, Work&& work, OnFailure&& onFailure) {
    QString message;
    try {
        work();
        return true;
    } catch (const ZevoError& e) {
        message = e.message();
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("Nicht genügend Arbeitsspeicher, der Befehl wurde abgebrochen");
    } catch (const std::exception&) {
        message = QStringLiteral("Interner Fehler, der Befehl wurde abgebrochen");
    }
    onFailure();
    dialogs.showError(message);
    return false;
}

template <typename Work> bool guardCommand(Dialogs& dialogs, Work&& work) {
    return guardCommand(dialogs, std::forward<Work>(work), [] {});
}
