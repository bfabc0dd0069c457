// The wet paper dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormWetPaper : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormWetPaper* FormWetPaper;

}  // namespace rv
