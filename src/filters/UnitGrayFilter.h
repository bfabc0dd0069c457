// The grey-scale dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormGrayFilter : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormGrayFilter* FormGrayFilter;

}  // namespace rv
