// The lighten dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormLight : public TFormFilter {
 public:
  explicit TFormLight(QWidget* parent = nullptr) : TFormFilter("Light", parent) {}
};

extern TFormLight* FormLight;

}  // namespace rv
