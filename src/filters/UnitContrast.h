// The contrast dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormContrast : public TFormFilter {
 public:
  explicit TFormContrast(QWidget* parent = nullptr) : TFormFilter("Contrast", parent) {}
};

extern TFormContrast* FormContrast;

}  // namespace rv
