// The diffusion dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormDif : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormDif* FormDif;

}  // namespace rv
