// The threshold dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormHold : public TFormFilter {
 public:
  explicit TFormHold(QWidget* parent = nullptr) : TFormFilter("Hold", parent) {}
};

extern TFormHold* FormHold;

}  // namespace rv
