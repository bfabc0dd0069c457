// The fill dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFill : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormFill* FormFill;

}  // namespace rv
