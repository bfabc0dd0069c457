#include "filters/UnitWidth.h"

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/GeometryCommands.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormWidth* FormWidth = nullptr;

void AutoCropAlignment(TFormFilter& dialog, CropAxis axis) {
  if (!FormImageHome) return;
  // The band of the committed result; a shear as large as the picture keeps it whole.
  FormImageHome->TakeCroppedPicture(
      rv::AutoCropAlignment(FormImageHome->HomeImage.BackupImage, axis, dialog.Bar(QStringLiteral("Power"))->Position()),
      QString::fromUtf8(dialog.Decl().HistoryLabel));
}

}  // namespace rv
