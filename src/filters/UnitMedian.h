// The median dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormMedian : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormMedian* FormMedian;

}  // namespace rv
