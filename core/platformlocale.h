#pragma once

#include <QLocale>

// Where the system keeps the user's number format: the environment on POSIX,
// the system's own settings on Windows.
namespace PlatformLocale {

// The locale of the user's numbers; whereNoneNamed where the environment
// names none (the plain C locale).
QLocale numberLocale(const QLocale& whereNoneNamed);

} // namespace PlatformLocale
