#include "platformlocale.h"

#include <QString>

namespace PlatformLocale {

QLocale numberLocale(const QLocale& whereNoneNamed) {
    // The order in which the C library and Qt decide the numeric category.
    QString name;
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            break;
    }
    if (name.isEmpty() || name == u"C" || name == u"POSIX" || name.startsWith(u"C."))
        return whereNoneNamed;
    const QLocale locale(name);
    return locale.language() == QLocale::C ? whereNoneNamed : locale;
}

} // namespace PlatformLocale
