// The smart sharpening dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormSulfur : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormSulfur* FormSulfur;

}  // namespace rv
