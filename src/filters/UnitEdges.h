// The edge detection dialog.
#pragma once

#include "filters/MatrixFilterDialog.h"

namespace rv {

class TFormEdges : public TFormMatrixFilter {
 public:
  using TFormMatrixFilter::TFormMatrixFilter;
};

extern TFormEdges* FormEdges;

}  // namespace rv
