// The contour dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormContours : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormContours* FormContours;

}  // namespace rv
