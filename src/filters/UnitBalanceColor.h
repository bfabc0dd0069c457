// The colour balance dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormBalanceColor : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormBalanceColor* FormBalanceColor;

}  // namespace rv
