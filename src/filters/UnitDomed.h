// The emboss dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormDomed : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormDomed* FormDomed;

}  // namespace rv
