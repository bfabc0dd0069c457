// The hue dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHue : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormHue* FormHue;

}  // namespace rv
