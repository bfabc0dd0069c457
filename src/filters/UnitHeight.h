// The horizontal alignment dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHeight : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormHeight* FormHeight;

}  // namespace rv
