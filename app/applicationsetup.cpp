#include "applicationsetup.h"

#include "look.h"
#include "platformlocale.h"

#include <QApplication>
#include <QByteArray>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <optional>
#include <utility>

namespace {

const QLocale German(QLocale::German, QLocale::Germany);

// The variables Qt and the C library read the locale from, most binding first.
constexpr std::array<const char*, 5> LocaleVariables = {"LC_ALL", "LC_TIME", "LC_NUMERIC",
                                                        "LC_MESSAGES", "LANG"};

} // namespace

void useGermanLocale() {
    // Qt's system locale is read from the environment once, at its first use;
    // read it now with a German environment. The environment is put back at
    // once, so the C library, the printing system and programs started from
    // here see the user's settings.
    std::array<std::optional<QByteArray>, LocaleVariables.size()> saved;
    for (std::size_t i = 0; i < LocaleVariables.size(); ++i) {
        if (qEnvironmentVariableIsSet(LocaleVariables[i]))
            saved[i] = qgetenv(LocaleVariables[i]);
        qunsetenv(LocaleVariables[i]);
    }
    qputenv("LC_ALL", "de_DE.UTF-8");
    (void)QLocale::system().name();
    for (std::size_t i = 0; i < LocaleVariables.size(); ++i) {
        if (saved[i])
            qputenv(LocaleVariables[i], *saved[i]);
        else
            qunsetenv(LocaleVariables[i]);
    }
    QLocale::setDefault(German);
}

void setUpApplication() {
    // Message boxes, the file and print dialogs and the help viewer take the
    // application's font, not the platform's.
    QApplication::setFont(Look::windowFont());
    static QTranslator qtTranslator;
    if (qtTranslator.isEmpty() &&
        qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
}

QLocale userNumberLocale() {
    return PlatformLocale::numberLocale(German);
}
