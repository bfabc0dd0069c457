#include "tools/UnitFraming.h"

#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormFraming* FormFraming = nullptr;

TFormFraming::TFormFraming(QWidget* parent)
    : TFormShapeOptions(8, QStringLiteral("Opcje kadrowania"), QStringLiteral("Kadrowanie"), parent) {
  setObjectName(QStringLiteral("FormFraming"));
  AddButtons();
}

void TFormFraming::Start() { PreviewFraming(); }

void TFormFraming::PreviewFraming() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  const int w = doc.Width(), h = doc.Height();
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  display->SetPicture(doc.BackupImage);
  const int x1 = OSX->Position(), y1 = OSY->Position(), x2 = OSX2->Position(), y2 = OSY2->Position();
  // The corner may lie on the picture's right or bottom edge, one past its last pixel.
  const Pixel under = doc.BackupImage.At(std::min(x1, w - 1), std::min(y1, h - 1));
  int r = PixelRed(under), g = PixelGreen(under), b = PixelBlue(under);
  ContrastingColor(r, g, b);
  QImage view = ui::PaintableView(display->EditPicture());
  {
    QPainter p(&view);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(r, g, b), (std::max(w, h) / 512) * 2, Qt::SolidLine));
    p.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized());
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    const int tx = std::abs(x1 - x2) / 3, ty = std::abs(y1 - y2) / 3;
    p.drawLine(left + tx, top, left + tx, bottom);
    p.drawLine(left + 2 * tx, top, left + 2 * tx, bottom);
    p.drawLine(left, top + 2 * ty, right, bottom - ty);
    p.drawLine(left, top + ty, right, bottom - 2 * ty);
  }
  display->update();
}

void TFormFraming::OKClick() {
  CHomeImage& doc = FormImageHome->HomeImage;
  const ShapeRegion r = FramingRegion(doc.Width(), doc.Height(), OSX->Position(), OSY->Position(),
                                      OSX2->Position(), OSY2->Position());
  // A frame without area would leave no picture at all.
  if (r.Empty()) return;
  Finish();
  FormImageHome->TakeCroppedPicture(doc.BackupImage.Copy(r.x0, r.y0, r.Width(), r.Height()), HistoryLabel());
}

void TFormFraming::AnulujClick() {
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.WorkImage = doc.BackupImage;
  Finish();
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  FormImageHome->ShowOnDisplay(doc.WorkImage);
}

void TFormFraming::MoveCorner(ui::TrackBar* x, ui::TrackBar* y, QPoint p) {
  if (SetPoint(x, y, p)) PreviewFraming();
}

void TFormFraming::Press(const PointerEvent& e) {
  if (e.Button == Qt::LeftButton)
    MoveCorner(OSX, OSY, e.Picture);
  else if (e.Button == Qt::RightButton)
    MoveCorner(OSX2, OSY2, e.Picture);
}

void TFormFraming::Drag(const PointerEvent& e) { MoveCorner(OSX2, OSY2, e.Picture); }

}  // namespace rv
