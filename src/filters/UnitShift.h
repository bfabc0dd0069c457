// The shift dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormShift : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;

 protected:
  bool CentredOnScreen() const override { return true; }
};

extern TFormShift* FormShift;

}  // namespace rv
