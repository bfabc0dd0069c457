// "Opcje tekstu poziomego" (tool 12).
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormTextHorz : public TFormFigure {
  Q_OBJECT
 public:
  explicit TFormTextHorz(QWidget* parent = nullptr);
};

extern TFormTextHorz* FormTextHorz;

}  // namespace rv
