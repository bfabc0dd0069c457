#include "tools/UnitWand.h"

#include <algorithm>

#include "document/UnitImageHome.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormWand::TFormWand(QWidget* parent) : TFormSelectionOptions("FormWand", "Opcje różdżki", false, true, parent) {
  Tolerant = AddBar("Tolerant", "Tolerancja:", 1, 800, 200);
  Sila = AddBar("Sila", "Sila:", 0, 100, 100);
  Podglad = new ui::ImageControl(this);
  Podglad->setObjectName(QStringLiteral("Podglad"));
  Podglad->setGeometry(8, NextRow(ContentWidth() * 3 / 4), ContentWidth(), ContentWidth() * 3 / 4);
  FinishLayout();
}

void TFormWand::Start() {
  FormTools->SelectionKind = kSelectionWand;
  if (HasPicture()) Podglad->SetPicture(Document().WorkImage);
}

void TFormWand::WandAt(QPoint at) {
  if (!HasPicture()) return;
  FormTools->SetInvertMenu(false, true);
  CHomeImage& doc = Document();
  if (doc.SelectionMask.Width() != doc.Width() || doc.SelectionMask.Height() != doc.Height()) return;
  const int x = std::clamp(at.x(), 0, doc.Width() - 1);
  const int y = std::clamp(at.y(), 0, doc.Height() - 1);
  WandSelect(doc.WorkImage, doc.BackupImage.At(x, y), {Tolerant->Position(), Sila->Position()}, doc.SelectionMask);
  WandPreview(doc.WorkImage, doc.SelectionMask, Podglad->EditPicture());
  Podglad->update();
  FormTools->SetInvertMenu(false, true);
}

void TFormWand::Press(const PointerEvent& e) { WandAt(e.Picture); }

void TFormWand::Wheel(int step, bool) { Tolerant->SetPosition(Tolerant->Position() + step); }

}  // namespace rv
