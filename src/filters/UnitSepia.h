// The sepia dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormSepia : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormSepia* FormSepia;

}  // namespace rv
