#include "platformsettings.h"

#include <QSettings>
#include <QString>

#include <windows.h>

namespace PlatformSettings {

void keepNoSettings() {
    // Qt's user settings would go to the registry; the Qt built for Zevo's
    // Windows folder keeps none of its dialogs' (scripts/build-windows-deps.sh),
    // and settings in files would be made under a device, that is nowhere.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("NUL"));
}

void removeEmptySettingsKeys() {
    // Innermost first: QtProject is empty only once OrganizationDefaults is gone.
    for (const wchar_t* name :
         {L"Software\\QtProject\\OrganizationDefaults", L"Software\\QtProject"}) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        DWORD subkeys = 0;
        DWORD values = 0;
        const bool empty =
            ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            subkeys == 0 && values == 0;
        ::RegCloseKey(key);
        if (empty)
            ::RegDeleteKeyW(HKEY_CURRENT_USER, name);
    }
}

} // namespace PlatformSettings
