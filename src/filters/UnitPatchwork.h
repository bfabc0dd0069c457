// The patchwork dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormPatchwork : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormPatchwork* FormPatchwork;

}  // namespace rv
