// The feathering dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFeather : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormFeather* FormFeather;

}  // namespace rv
