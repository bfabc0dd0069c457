// The shadows and highlights dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormShadow : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormShadow* FormShadow;

}  // namespace rv
