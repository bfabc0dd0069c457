// The contrast dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormContrast : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormContrast* FormContrast;

}  // namespace rv
