#pragma once

// What the windows of Zevo share in their look, each given once here.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QIcon>
#include <QString>

class QGroupBox;

namespace Look {

// The application's title: the main window's caption, the error display's caption
// and part of the exit question.
QString applicationTitle();

// The background of the program editor, the register cells, the protocol view and
// the help's examples.
inline constexpr QColor Cream{255, 251, 240};

// The font of every window. It stands in for an 8-point sans-serif system font,
// 11 pixels high, and has widths that fit the windows' fixed layouts. On
// Windows it is that font, "MS Sans Serif", where the system has it as an
// outline face (see windowFontFamily).
QFont windowFont();

// The face of the windows on Windows. "MS Sans Serif" is a bitmap font on
// most systems (and under Wine), which Qt draws with uneven spacing, without
// bold and cut off; then "Microsoft Sans Serif", the outline face every
// Windows has, and failing that the stand-in "Liberation Sans".
QString windowFontFamily(bool msSansSerifIsOutline, bool microsoftSansSerifIsOutline);

// Before the application exists: whether the windows will use the stand-in
// on this system, for lack of an outline system face (as under Wine). Only
// on Windows; elsewhere the stand-in is the windows' face anyway.
bool usesStandInOnWindows();

// A fixed-width face for program text in the help, which keeps its columns:
// Courier New on Windows (Liberation Mono where it lacks it, as under Wine),
// Liberation Mono elsewhere.
QString fixedFontFamily();

// Tab stops of the protocol view and of both printouts lie every eight average
// character widths of the font in use.
inline constexpr int TabStopChars = 8;
// A font's average character width: the width of "x", as the classic text
// metrics of a font define it. The average over all glyphs of a face, which
// QFontMetricsF::averageCharWidth gives, is for the stand-in face wider than
// its digits (0.59 against 0.56 em): eight of it would hold a "Register 0"
// label and a value of eight digits within one tab stop, and the protocol's
// columns would no longer line up.
qreal averageCharWidth(const QFontMetricsF& metrics);

// The application's icon, on every window and on the desktop.
QIcon applicationIcon();

// The pictures of the toolbar's image list, by their place in it; menu items and
// the protocol window's buttons show the same pictures.
namespace Picture {
enum : int {
    Neu,
    Oeffnen,
    Speichern,
    Drucken,
    Einzelschritt,
    Start,
    Abbruch,
    Zuruecksetzen,
    RegisterSpeichern,
    RegisterLaden,
    RegisterClear,
    Anleitung,
    Beenden,
    Info,
    Optionen,
    Kopieren,
    Count
};
} // namespace Picture

// The resource that holds picture n of the image list.
QString picturePath(int n);
// Picture n of the image list; a null icon outside the list.
QIcon picture(int n);

// The pictures of the message boxes, drawn for 32 pixels and for displays
// enlarged two and four times, so that they stay sharp at every zoom.
enum class BoxPicture { Information, Critical, Question };
QIcon boxPicture(BoxPicture kind);

// Group boxes draw their caption on the frame line, so that the frame hugs the
// controls placed at fixed offsets inside it; every window's group boxes look alike.
void setGroupBoxLook(QGroupBox* box);

} // namespace Look
