// The Laplace dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormLaplace : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormLaplace* FormLaplace;

}  // namespace rv
