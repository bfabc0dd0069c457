// The negative dialog.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormNegativ : public TFormFilter {
 public:
  explicit TFormNegativ(QWidget* parent = nullptr) : TFormFilter("Negativ", parent) {}
};

extern TFormNegativ* FormNegativ;

}  // namespace rv
