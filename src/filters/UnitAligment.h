// The histogram equalisation dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormAligment : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormAligment* FormAligment;

}  // namespace rv
