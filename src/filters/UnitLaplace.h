// The Laplace dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormLaplace : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormLaplace* FormLaplace;

}  // namespace rv
