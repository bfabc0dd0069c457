// The texture overlay dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormTexture : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormTexture* FormTexture;

}  // namespace rv
