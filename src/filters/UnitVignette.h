// The vignette dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormVignette : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormVignette* FormVignette;

}  // namespace rv
