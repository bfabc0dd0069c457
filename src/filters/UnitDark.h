// The darken dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormDark : public TFormFilter {
 public:
  explicit TFormDark(QWidget* parent = nullptr) : TFormFilter("Dark", parent) {}
};

extern TFormDark* FormDark;

}  // namespace rv
