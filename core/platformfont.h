#pragma once

#include <QString>

// The system's own font list, for the questions asked before Qt's font
// database exists.
namespace PlatformFont {

// Whether Windows has an outline (TrueType) face of this name; a bitmap face
// of the name does not count. Always false elsewhere: only Windows is asked.
bool outlineFaceExists(const QString& face);

} // namespace PlatformFont
