// The mosaic dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormMozaic : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormMozaic* FormMozaic;

}  // namespace rv
