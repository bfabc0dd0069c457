// The lighten dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormLight : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormLight* FormLight;

}  // namespace rv
