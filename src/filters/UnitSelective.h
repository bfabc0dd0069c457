// The selective colour dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormSelective : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormSelective* FormSelective;

}  // namespace rv
