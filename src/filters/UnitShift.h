// The shift dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormShift : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormShift* FormShift;

}  // namespace rv
