#pragma once

// The three windows assembled in the application's start-up order, for the
// benchmarks that drive the real main window.

#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "tRegisterEditor.h"
#include "RMProgramEditor.h"

#include <utility>

namespace bench {

template <typename Window = THauptformular> struct Windows {
    template <typename... Args>
    explicit Windows(Dialogs& dialogs, Args&&... args)
        : window(dialogs, std::forward<Args>(args)...),
          protocol(dialogs) {
        window.attach(protocol, options);
    }

    Window window;
    TProtokollFormular protocol;
    TOptionenFormular options;
};

} // namespace bench
