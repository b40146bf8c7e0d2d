#include "platformsettings.h"

#include <QSettings>

namespace PlatformSettings {

void keepNoSettings() {
    // The file dialogs keep their history and last folders in Qt's user
    // settings: those point at a path no file can be made under.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

void removeEmptySettingsKeys() {}

} // namespace PlatformSettings
