// The wind dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormWind : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormWind* FormWind;

}  // namespace rv
