// The gradient edge detection dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormEdgesGradient : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormEdgesGradient* FormEdgesGradient;

}  // namespace rv
