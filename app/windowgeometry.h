#pragma once

#include <QPoint>
#include <QSize>

// The sizes and first places of Zevo's two fixed windows at zoom 1. The
// layouts build on them and the screen fit reckons the zoom with them, so a
// change here reaches both.
namespace WindowGeometry {

// The main window's client area lies below its menu bar, which the window's
// font makes 18 pixels high.
inline constexpr QSize MainClientSize{401, 465};
inline constexpr int MainMenuHeight = 18;
inline constexpr QSize MainWindowSize{MainClientSize.width(),
                                      MainClientSize.height() + MainMenuHeight};
inline constexpr QPoint MainWindowPlace{254, 116};

inline constexpr QSize OptionsDialogSize{321, 308};
inline constexpr QPoint OptionsDialogPlace{581, 40};

} // namespace WindowGeometry
