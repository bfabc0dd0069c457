// The gamma dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormGamma : public TFormFilter {
 public:
  explicit TFormGamma(QWidget* parent = nullptr) : TFormFilter("Gamma", parent) {}
};

extern TFormGamma* FormGamma;

}  // namespace rv
