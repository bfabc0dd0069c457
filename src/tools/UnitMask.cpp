#include "tools/UnitMask.h"

#include "document/UnitImageHome.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormMask::TFormMask(QWidget* parent) : TFormSelectionOptions("FormMask", "Opcje maski", true, true, parent) {
  Wielkosc = AddBar("Wielkosc", "Wielkość:", 1, 150, 75);
  Twardosc = AddBar("Twardosc", "Twardość:", 0, 100, 1);
  Przezroczystosc = AddBar("Przezroczystosc", "Moc:", 0, 100, 100);
  FinishLayout();
}

MaskOptions TFormMask::Options() const {
  return {Wielkosc->Position(), Twardosc->Position(), Przezroczystosc->Position()};
}

void TFormMask::Start() {
  FormTools->SelectionKind = kSelectionMask;
  // The mask brush paints a new selection from nothing.
  if (HasPicture()) Document().SelectionMask.Fill(0);
}

void TFormMask::MaskAt(QPoint at) {
  if (!HasPicture()) return;
  FormTools->SetInvertMenu(false, true);
  CHomeImage& doc = Document();
  const MaskOptions o = Options();
  MaskDab(doc.WorkImage, &FormImageHome->ObrazDlaUsera->EditPicture(), doc.SelectionMask, {at.x(), at.y()}, o);
  const BrushBox b = CPixelEngine::BrushBounds(doc.Width(), doc.Height(), at.x(), at.y(), o.Wielkosc);
  FormImageHome->RepaintPictureRect(QRect(QPoint(b.x0, b.y0), QPoint(b.x1 - 1, b.y1 - 1)));
  FormTools->SetInvertMenu(false, true);
}

void TFormMask::Press(const PointerEvent& e) {
  if (e.Button == Qt::LeftButton) MaskAt(e.Picture);
}

void TFormMask::Drag(const PointerEvent& e) {
  if (e.Held & Qt::LeftButton) MaskAt(e.Picture);
}

void TFormMask::Release(const PointerEvent& e) {
  if (e.Button != Qt::LeftButton || !HasPicture()) return;
  // The tint goes; the mask keeps what was painted.
  CHomeImage& doc = Document();
  doc.WorkImage = doc.BackupImage;
  FormImageHome->ShowOnDisplay(doc.BackupImage);
}

void TFormMask::Wheel(int step, bool ctrl) {
  ui::TrackBar* bar = ctrl ? Przezroczystosc : Wielkosc;
  bar->SetPosition(bar->Position() + step);
}

int TFormMask::OutlineSize() const { return Wielkosc->Position(); }

}  // namespace rv
