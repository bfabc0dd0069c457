// The simple sharpening dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormHP : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormHP* FormHP;

}  // namespace rv
