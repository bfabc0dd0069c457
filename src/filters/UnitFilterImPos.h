// The picture overlay dialog: the picture loaded by TFormImposition laid over
// the document with its top-left corner at (OsieX, OsieY).
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormFilterImPos : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;

 protected:
  // A moved overlay uncovers pixels of the last preview: the region is taken afresh first.
  void OwnBarChanged(const QString& bar) override;
  void AddToContext(KernelContext& context, bool fullRun) const override;
};

extern TFormFilterImPos* FormFilterImPos;

}  // namespace rv
