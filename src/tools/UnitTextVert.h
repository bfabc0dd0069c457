// "Opcje tekstu pionowego" (tool 13).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormTextVert : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormTextVert(QWidget* parent = nullptr);
};

extern TFormTextVert* FormTextVert;

}  // namespace rv
