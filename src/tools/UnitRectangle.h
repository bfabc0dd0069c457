// "Opcje prostokąta" (tool 5).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormRectangle : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormRectangle(QWidget* parent = nullptr);
};

extern TFormRectangle* FormRectangle;

}  // namespace rv
