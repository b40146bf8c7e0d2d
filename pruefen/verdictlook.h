#pragma once

#include <QColor>

// The colours of the verdicts, as spreadsheets mark good and bad cells: each
// colour always comes with the verdict's words, never alone.
namespace VerdictLook {

inline constexpr QColor PassedBackground{198, 239, 206};
inline constexpr QColor PassedText{0, 97, 0};
inline constexpr QColor FailedBackground{255, 199, 206};
inline constexpr QColor FailedText{156, 0, 6};
inline constexpr QColor UnreadableBackground{255, 235, 156};
inline constexpr QColor UnreadableText{156, 87, 0};
inline constexpr QColor PendingText{96, 96, 96};

} // namespace VerdictLook
