// The option window of the rectangle selection.
#pragma once

#include "tools/SelectionShapes.h"
#include "tools/core/Selection.h"

namespace rv {

class TFormRectangleSel : public TFormShapeSel {
  Q_OBJECT
 public:
  explicit TFormRectangleSel(QWidget* parent = nullptr)
      : TFormShapeSel(kToolRectangleSel, kSelectionRectangle, "FormRectangleSel", "Zaznaczanie prostokątne", false, parent) {}
};

extern TFormRectangleSel* FormRectangleSel;

}  // namespace rv
