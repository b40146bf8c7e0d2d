#include "platformfont.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>

namespace PlatformFont {

namespace {

int CALLBACK noteOutline(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
    if (type & TRUETYPE_FONTTYPE)
        *reinterpret_cast<bool*>(found) = true;
    return 1;
}

} // namespace

bool outlineFaceExists(const QString& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, reinterpret_cast<const wchar_t*>(face.utf16()),
                 LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, noteOutline, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

} // namespace PlatformFont
