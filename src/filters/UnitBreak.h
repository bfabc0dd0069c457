// The break-up dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormBreak : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormBreak* FormBreak;

}  // namespace rv
