// The wave dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHeave : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormHeave* FormHeave;

}  // namespace rv
