// "Opcje linii beziera" (tool 11).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormLineBezier : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormLineBezier(QWidget* parent = nullptr);
};

extern TFormLineBezier* FormLineBezier;

}  // namespace rv
