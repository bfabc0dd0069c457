// The fill dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFill : public TFormFilter {
 public:
  explicit TFormFill(QWidget* parent = nullptr) : TFormFilter("Fill", parent) {}
};

extern TFormFill* FormFill;

}  // namespace rv
