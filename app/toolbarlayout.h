#pragma once

// The main window's toolbar from left to right, each button or divider with
// the left edge it is placed at: order and positions in one table.
namespace ToolBarLayout {

struct Item {
    const char* button; // the button's objectName; null for a divider
    int left;
};

inline constexpr Item Items[] = {
    {"NewButton", 0},       {"OpenButton", 23},     {"SaveButton", 46},      {"PrintButton", 69},
    {nullptr, 92},          {"CopyButton", 100},    {nullptr, 123},          {"StepButton", 131},
    {"RunButton", 154},     {"StopButton", 177},    {"ResetButton", 200},    {nullptr, 223},
    {"RegSaveButton", 231}, {"RegLoadButton", 254}, {"RegClearButton", 277}, {nullptr, 300},
    {"HelpButton", 308},    {"InfoButton", 331},
};

inline constexpr int Top = 2;
inline constexpr int ButtonWidth = 23;
inline constexpr int DividerWidth = 8;
inline constexpr int Height = 22;

} // namespace ToolBarLayout
