// The simple sharpening dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHP : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormHP* FormHP;

}  // namespace rv
