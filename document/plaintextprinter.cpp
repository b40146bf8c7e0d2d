#include "plaintextprinter.h"

void printPlainText(QPrinter&, const QStringList&, const QFont&, const QString&) {}
