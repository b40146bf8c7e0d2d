#pragma once

#include "settings.h"

#include <utility>

// The editor marks the line a run reaches, or the first line of a program just
// opened, only while the user's setting asks for it. The window and the test
// stand-ins that follow a run take the rule from here, so it cannot drift.
template <class Mark> void highlightIfWanted(const Settings& settings, qint32 line, Mark&& mark) {
    if (settings.highlightCurrentLine())
        std::forward<Mark>(mark)(line);
}
