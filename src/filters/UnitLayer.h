// The layer dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormLayer : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormLayer* FormLayer;

}  // namespace rv
