// The horizontal gradient dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormGradientWidth : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormGradientWidth* FormGradientWidth;

}  // namespace rv
