// The minimum dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormMin : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormMin* FormMin;

}  // namespace rv
