#pragma once

#include <QString>

// The PDF file a printout offers, one of its own for each kind, so that
// printing the program never offers the protocol's file: the program's name
// with ".pdf", or "Protokoll.pdf", in the program's folder (the current
// folder while the program has no file).
QString programPdfName(const QString& programFile);
QString protocolPdfName(const QString& programFile);
