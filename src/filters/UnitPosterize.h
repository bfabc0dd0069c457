// The posterize dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormPosterize : public TFormFilter {
 public:
  explicit TFormPosterize(QWidget* parent = nullptr) : TFormFilter("Posterize", parent) {}
};

extern TFormPosterize* FormPosterize;

}  // namespace rv
