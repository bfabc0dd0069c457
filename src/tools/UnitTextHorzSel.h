// The option window of the horizontal text mask.
#pragma once

#include "tools/SelectionText.h"

namespace rv {

class TFormTextHorzSel : public TFormTextSel {
  Q_OBJECT
 public:
  explicit TFormTextHorzSel(QWidget* parent = nullptr) : TFormTextSel(false, "FormTextHorzSel", "Opcje maski tekstu poziomego", parent) {}
};

extern TFormTextHorzSel* FormTextHorzSel;

}  // namespace rv
