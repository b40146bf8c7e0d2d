#pragma once

#include <QPair>
#include <QString>
#include <optional>

// "N=TEXT" of a command line's -r option: the register number N (plain
// decimal digits, 0 to 50) and the text after "=". None when it is not so.
// Both programs read -r by this one rule.
std::optional<QPair<qint32, QString>> parseRegisterAssignment(const QString& text);
