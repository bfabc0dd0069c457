// The vertical alignment dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormWidth : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormWidth* FormWidth;

}  // namespace rv
