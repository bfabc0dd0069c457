// The exposure dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormExposure : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormExposure* FormExposure;

}  // namespace rv
