// The saturation dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormSaturaton : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormSaturaton* FormSaturaton;

}  // namespace rv
