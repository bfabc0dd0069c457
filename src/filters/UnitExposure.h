// The exposure dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormExposure : public TFormFilter {
 public:
  explicit TFormExposure(QWidget* parent = nullptr) : TFormFilter("Exposure", parent) {}
};

extern TFormExposure* FormExposure;

}  // namespace rv
