// The noise removal dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormDeleteNoise : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormDeleteNoise* FormDeleteNoise;

}  // namespace rv
