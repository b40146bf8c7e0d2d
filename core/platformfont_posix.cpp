#include "platformfont.h"

namespace PlatformFont {

bool outlineFaceExists(const QString& face) {
    (void)face;
    return false;
}

} // namespace PlatformFont
