// The histogram stretch dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormExtension : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormExtension* FormExtension;

}  // namespace rv
