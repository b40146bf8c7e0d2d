#pragma once

#include <QString>

class Dialogs;

// The PDF file a printout offers, one of its own for each kind, so that
// printing the program never offers the protocol's file: the program's name
// with ".pdf", or "Protokoll.pdf", in the program's folder (the current
// folder while the program has no file).
QString programPdfName(const QString& programFile);
QString protocolPdfName(const QString& programFile);

// Printing where no printer is set up: says so in a box and offers a PDF file
// instead. The chosen file, or empty when the user declines or cancels.
QString pdfInsteadOfPrinter(Dialogs& dialogs, const QString& pdfName);
