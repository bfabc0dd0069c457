#include "filters/UnitFilterImPos.h"

#include "filters/UnitImposition.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormFilterImPos* FormFilterImPos = nullptr;

void TFormFilterImPos::OwnBarChanged(const QString& bar) {
  if (bar == QLatin1String("OsieX") || bar == QLatin1String("OsieY"))
    ExtractPreviewRegion(OSX->Position(), OSY->Position());
}

void TFormFilterImPos::AddToContext(KernelContext& context, bool fullRun) const {
  if (FormImposition) context.Overlay = &FormImposition->ImPos->Picture();
  // The preview region's place in the picture, as the pan centre gives it.
  context.OverlayOffsetX = fullRun ? 0 : OSX->Position() - PreviewHalfSize();
  context.OverlayOffsetY = fullRun ? 0 : OSY->Position() - PreviewHalfSize();
}

}  // namespace rv
