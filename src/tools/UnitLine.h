// "Opcje linii" (tool 10).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormLine : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormLine(QWidget* parent = nullptr);
};

extern TFormLine* FormLine;

}  // namespace rv
