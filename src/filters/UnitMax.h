// The maximum dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormMax : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormMax* FormMax;

}  // namespace rv
