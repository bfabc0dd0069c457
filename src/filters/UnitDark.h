// The darken dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormDark : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormDark* FormDark;

}  // namespace rv
