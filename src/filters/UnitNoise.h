// The noise dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormNoise : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormNoise* FormNoise;

}  // namespace rv
