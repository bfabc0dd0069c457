// The gradient edge detection dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormEdgesGradient : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormEdgesGradient* FormEdgesGradient;

}  // namespace rv
