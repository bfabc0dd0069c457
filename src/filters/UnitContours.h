// The contour dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormContours : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormContours* FormContours;

}  // namespace rv
