// The screening dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormScreening : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormScreening* FormScreening;

}  // namespace rv
