// The posterize dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormPosterize : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormPosterize* FormPosterize;

}  // namespace rv
