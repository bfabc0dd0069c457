// The option window of the vertical text mask.
#pragma once

#include "tools/SelectionText.h"

namespace rv {

class TFormTextVertSel : public TFormTextSel {
  Q_OBJECT
 public:
  explicit TFormTextVertSel(QWidget* parent = nullptr) : TFormTextSel(true, "FormTextVertSel", "Opcje maski tekstu pionowego", parent) {}
};

extern TFormTextVertSel* FormTextVertSel;

}  // namespace rv
