// "Opcje elipsy" (tool 6).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormElipsy : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormElipsy(QWidget* parent = nullptr);
};

extern TFormElipsy* FormElipsy;

}  // namespace rv
