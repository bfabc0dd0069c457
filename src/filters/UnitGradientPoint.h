// The radial gradient dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormGradientPoint : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormGradientPoint* FormGradientPoint;

}  // namespace rv
