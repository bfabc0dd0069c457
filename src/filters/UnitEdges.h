// The edge detection dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormEdges : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormEdges* FormEdges;

}  // namespace rv
