// The option window of the ellipse selection.
#pragma once

#include "tools/SelectionShapes.h"
#include "tools/core/Selection.h"

namespace rv {

class TFormEllipseSel : public TFormShapeSel {
  Q_OBJECT
 public:
  explicit TFormEllipseSel(QWidget* parent = nullptr)
      : TFormShapeSel(kToolEllipseSel, kSelectionEllipse, "FormEllipseSel", "Zaznaczanie eliptyczne", false, parent) {}
};

extern TFormEllipseSel* FormEllipseSel;

}  // namespace rv
