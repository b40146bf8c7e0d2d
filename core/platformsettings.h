#pragma once

// Qt's user settings, which Zevo never keeps: where POSIX and Windows would
// store them differs, so each has its implementation file.
namespace PlatformSettings {

// Keeps Qt's user settings (the file dialogs' history and last folder) from
// being stored; the files the user saves are the only ones written.
void keepNoSettings();

// A file dialog reads Qt's settings when it is made, and on Windows that read
// alone creates the empty key HKCU\Software\QtProject\OrganizationDefaults.
// Removes it (and QtProject) again where it holds nothing. Nothing on POSIX,
// where the read creates no file.
void removeEmptySettingsKeys();

} // namespace PlatformSettings
