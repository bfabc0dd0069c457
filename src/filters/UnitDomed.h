// The emboss dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormDomed : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormDomed* FormDomed;

}  // namespace rv
