// The negative dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormNegativ : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;
};

extern TFormNegativ* FormNegativ;

}  // namespace rv
