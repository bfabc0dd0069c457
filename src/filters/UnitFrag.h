// The fragmentation dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFrag : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormFrag* FormFrag;

}  // namespace rv
