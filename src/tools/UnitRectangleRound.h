// "Opcje prostokąta zaokrąglonego" (tool 7).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormRectangleRound : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormRectangleRound(QWidget* parent = nullptr);
};

extern TFormRectangleRound* FormRectangleRound;

}  // namespace rv
