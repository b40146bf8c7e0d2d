#pragma once

#include "dialogs.h"
#include "zevoerror.h"

#include <QString>
#include <exception>

// The boundary of every command: its work either completes or ends at the one
// error display; nothing is thrown on into Qt's event loop. onFailure runs
// first, so the command's state is settled before the message box opens.
// Returns false when the work failed.
template <typename Work, typename OnFailure>
bool guardCommand(Dialogs& dialogs, Work&& work, OnFailure&& onFailure) {
    QString message;
    try {
        work();
        return true;
    } catch (const ZevoError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    onFailure();
    dialogs.showError(message);
    return false;
}

template <typename Work> bool guardCommand(Dialogs& dialogs, Work&& work) {
    return guardCommand(dialogs, std::forward<Work>(work), [] {});
}
