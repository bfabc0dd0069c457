// The tool palette's 16 x 16 icons, drawn by the program itself.
#pragma once

#include <QPixmap>

namespace rv {

// Icon of a tool by its ToolId; kSwapIcon and kResetIcon for the two small
// buttons of the colour panel.
constexpr int kSwapIcon = 100;
constexpr int kResetIcon = 101;
QPixmap ToolIconPixmap(int toolId);

}  // namespace rv
