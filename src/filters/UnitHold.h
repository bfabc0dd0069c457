// The threshold dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHold : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormHold* FormHold;

}  // namespace rv
