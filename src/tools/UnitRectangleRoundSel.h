// The option window of the rounded-rectangle selection.
#pragma once

#include "tools/SelectionShapes.h"
#include "tools/core/Selection.h"

namespace rv {

class TFormRectangleRoundSel : public TFormShapeSel {
  Q_OBJECT
 public:
  explicit TFormRectangleRoundSel(QWidget* parent = nullptr)
      : TFormShapeSel(kToolRectangleRoundSel, kSelectionRectangleRound, "FormRectangleRoundSel", "Zaznaczenie prostokątne zaokrąglone", true, parent) {}
};

extern TFormRectangleRoundSel* FormRectangleRoundSel;

}  // namespace rv
