// The gamma dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormGamma : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormGamma* FormGamma;

}  // namespace rv
