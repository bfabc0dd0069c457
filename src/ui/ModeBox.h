// The drop-down list of the 26 blend modes shown as "Tryb:".
#pragma once

class QComboBox;
class QWidget;

namespace rv::ui {

// "Zwykły" selected.
QComboBox* MakeModeBox(QWidget* parent, const char* name);

}  // namespace rv::ui
