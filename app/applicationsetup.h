#pragma once

#include <QLocale>

// What the whole application shares beyond its windows: one font for every
// window, box and dialog, and German for Qt's own texts, dates and sizes.

// Before the QApplication exists and before anything asks for the system
// locale: Qt reads the system locale once, and the file dialogs show dates and
// sizes in it.
void useGermanLocale();

// After the QApplication exists: the window font for everything, Qt's German
// translation.
void setUpApplication();

// The locale of the user's numbers, as the environment names it; the rate
// display keeps its decimal separator. German where the environment names
// none (the plain C locale), so the display never switches between styles.
QLocale userNumberLocale();
