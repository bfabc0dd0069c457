// The picture overlay dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFilterImPos : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormFilterImPos* FormFilterImPos;

}  // namespace rv
