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
  CHomeImage& doc = FormImageHome->HomeImage;
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  doc.FreeMask();
  // The band of the committed result; a shear as large as the picture keeps it whole.
  display->SetPicture(rv::AutoCropAlignment(doc.BackupImage, axis, dialog.Bar(QStringLiteral("Power"))->Position()));
  // The cropped picture becomes the document's, with its history entry.
  ReplaceDocumentPicture(QString::fromUtf8(dialog.Decl().HistoryLabel));
  if (FormTools) {
    FormTools->SelectTool(0);
    FormTools->CloseToolOptionWindows();
  }
  if (FormHome) FormHome->RestoreCleanDisplay();
  doc.AllocateMask();
  if (FormTools) {
    FormTools->SelectionKind = 0;
    FormTools->SetInvertMenu(false, false);
  }
  FormImageHome->ShowOnDisplay(doc.WorkImage);
}

}  // namespace rv
