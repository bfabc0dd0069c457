// The vertical alignment dialog: with "Autokadrowanie" ticked the committed picture is
// cut to the band the shear left whole, and that becomes the history entry.
#pragma once

#include <QCheckBox>

#include "filters/UnitFilterDialog.h"
#include "filters/kernels/Geometry.h"

namespace rv {

// Crops the committed alignment and makes the band the document's picture.
void AutoCropAlignment(TFormFilter& dialog, CropAxis axis);

class TFormWidth : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;

 protected:
  bool CommitRecordsHistory() const override { return !Box("AutoFram")->isChecked(); }
  void AfterCommit() override {
    if (Box("AutoFram")->isChecked()) AutoCropAlignment(*this, CropAxis::Rows);
  }
  // Unlike the horizontal alignment, the crop box here only matters at OK.
  bool ClickRunsPreview(const QString& box) const override { return box != QLatin1String("AutoFram"); }
};

extern TFormWidth* FormWidth;

}  // namespace rv
