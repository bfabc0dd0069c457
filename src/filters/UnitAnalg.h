// The anaglyph dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormAnalg : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormAnalg* FormAnalg;

}  // namespace rv
