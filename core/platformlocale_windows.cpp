#include "platformlocale.h"

namespace PlatformLocale {

QLocale numberLocale(const QLocale& whereNoneNamed) {
    // Windows keeps the user's number format in its own settings, which a
    // German environment leaves alone, and always names one.
    (void)whereNoneNamed;
    return QLocale::system();
}

} // namespace PlatformLocale
