#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class PrintCanvas;
class QPrinter;

// The one printing routine of both printouts (program and protocol): two empty
// lines, every line behind one TAB in `font` at 11 points, two empty lines, then
// a TAB and fileName at 10 points. Tab stops every eight average character
// widths; too-wide lines continue at the left edge; new pages when full.
// Throws ZevoError when the printing service fails.
void printPlainText(QPrinter& printer, const QStringList& lines, const QFont& font,
                    const QString& fileName);

// The same page layout drawn on any canvas.
void printPlainText(PrintCanvas& canvas, const QStringList& lines, const QFont& font,
                    const QString& fileName);
