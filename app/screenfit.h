#pragma once

#include "windowgeometry.h"

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// Every window of Zevo inside the screen's available area (the screen without
// panels), frame and title bar included, at any zoom.
namespace ScreenFit {

// What the window manager's frame adds around a window's client area before the
// window is shown and its real frame is known: title bar and borders of the
// usual themes, with a little to spare. Screen pixels; the frame does not grow
// with the zoom.
inline constexpr QMargins AssumedFrame{4, 32, 4, 4};

// Client sizes at zoom 1 (menu bar included) of the windows that cannot be
// made smaller: the main window and the options dialog.
inline const QList<QSize> FixedWindowSizes{WindowGeometry::MainWindowSize,
                                           WindowGeometry::OptionsDialogSize};

// The zoom to use: the wanted one when every window of the given client sizes
// (at zoom 1), with its frame, fits into available (screen pixels); otherwise
// the largest that does, in tenths, but never below 1.
double fittingZoom(double wanted, QSize available, const QList<QSize>& clientSizes,
                   QMargins frame = AssumedFrame);

// Where a window's frame goes: where it is when it fits there, otherwise moved
// in as little as needed; a frame larger than the area keeps its top left
// corner (title bar and close button) inside.
QPoint placeFrame(const QRect& available, const QRect& frame);

// The client size of a window the user may resize, made small enough for the
// area with its frame.
QSize fitClientSize(QSize available, QSize client, QMargins frame);

// The line on standard error when the zoom was lowered.
QString zoomLoweredMessage(double wanted, double used, QSize screen);

// Before the application exists: the zoom that fits the primary screen,
// asked of the window system by a short-lived application object. When the
// zoom is lowered, prints the German line and gives it, without the program's
// name, as notice for the window; returns the wanted zoom when there is no
// screen to ask.
double zoomForScreen(double wanted, int argc, char** argv, QString* notice = nullptr);

// Before a window is first shown. fitSize: a window the user may resize is
// made small enough for the available area of its screen. placeInside: the
// window's frame is moved into that area, with the frame assumed, and moved
// again once the window is shown if its real frame still reaches past it.
void fitSize(QWidget& window);
void placeInside(QWidget& window);

// For a window that grows while it is shown (the print dialog's "Optionen >>"):
// whenever it has grown past the available area, its frame is moved back in.
void keepInsideWhenGrown(QWidget& window);

} // namespace ScreenFit
