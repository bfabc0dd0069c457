// The blur dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormBlurFilter : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormBlurFilter* FormBlurFilter;

}  // namespace rv
