#include "tools/SelectionShapes.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "tools/ShapeWindows.h"
#include "tools/UnitEllipseSel.h"
#include "tools/UnitRectangleRoundSel.h"
#include "tools/UnitRectangleSel.h"
#include "tools/UnitTools.h"
#include "tools/core/Selection.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormShapeSel::TFormShapeSel(int toolId, int kind, const char* objectName, const char* caption, bool rounded,
                             QWidget* parent)
    : TFormSelectionOptions(objectName, caption, false, false, parent), toolId_(toolId), kind_(kind) {
  OSX = AddHiddenBar("OSX");
  OSY = AddHiddenBar("OSY");
  OSX2 = AddHiddenBar("OSX2");
  OSY2 = AddHiddenBar("OSY2");
  Transparent = AddBar("Transparent", "Moc:", 0, 100, 100);
  if (rounded) {
    OSX3 = AddBar("OSX3", "Okr. X:", 0, 100, 0);
    OSY3 = AddBar("OSY3", "Okr. Y:", 0, 100, 0);
  }
  FinishLayout();
  for (ui::TrackBar* b : {OSX, OSY, OSX2, OSY2, OSX3, OSY3})
    if (b) connect(b, &ui::TrackBar::Changed, this, [this] { CoordinateChanged(); });
  connect(Transparent, &ui::TrackBar::Changed, this, [this] {
    if (!quiet_) CommitSelectionShape();
  });
}

void TFormShapeSel::SetRanges(int width, int height) {
  quiet_ = true;
  for (ui::TrackBar* b : {OSX, OSX2}) b->SetRange(0, width);
  for (ui::TrackBar* b : {OSY, OSY2}) b->SetRange(0, height);
  if (OSX3) {
    OSX3->SetRange(0, width);
    OSY3->SetRange(0, height);
    OSX3->SetPosition(width / 2);
    OSY3->SetPosition(height / 2);
  }
  quiet_ = false;
}

void TFormShapeSel::Start() {
  FormTools->SelectionKind = static_cast<std::uint8_t>(kind_);
  synced_ = dragging_ = false;
  if (!HasPicture()) return;
  DrawShapeOutline();
  CommitSelectionShape();
}

void TFormShapeSel::CoordinateChanged() {
  if (!quiet_) DrawShapeOutline();
}

void TFormShapeSel::DrawShape(QPainter& p) const {
  const SelectionBox b = OrderedBox(OSX->Position(), OSY->Position(), OSX2->Position(), OSY2->Position());
  if (b.Width() <= 0 || b.Height() <= 0) return;
  // A 1-pixel pen around a rectangle of size (w - 1, h - 1) covers w x h pixels.
  const QRect r(b.X0, b.Y0, b.Width() - 1, b.Height() - 1);
  switch (kind_) {
    case kSelectionRectangle: p.drawRect(r); break;
    case kSelectionEllipse: p.drawEllipse(r); break;
    default: p.drawRoundedRect(QRectF(r), OSX3->Position() / 2.0, OSY3->Position() / 2.0, Qt::AbsoluteSize); break;
  }
}

FigureSpec TFormShapeSel::Figure() const {
  FigureSpec f;
  f.Kind = kind_ == kSelectionRectangle ? FigureKind::Rectangle
           : kind_ == kSelectionEllipse ? FigureKind::Ellipse
                                        : FigureKind::RoundRect;
  f.P1 = QPoint(OSX->Position(), OSY->Position());
  f.P2 = QPoint(OSX2->Position(), OSY2->Position());
  if (OSX3) f.P3 = QPoint(OSX3->Position(), OSY3->Position());
  f.Size = 1;
  f.Primary = f.Secondary = Qt::black;
  return f;
}

void TFormShapeSel::DrawOutlineOn(Bitmap& picture) const {
  const CHomeImage& doc = Document();
  if (picture.Empty()) return;
  const PackedColor under = CPixelEngine::PickColor(doc.BackupImage, OSX->Position(), OSY->Position(), false, 0, 0);
  int r = PackedRed(under), g = PackedGreen(under), b = PackedBlue(under);
  ContrastingColor(r, g, b);
  QImage view = ui::PaintableView(picture);
  QPainter p(&view);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(r, g, b), std::max(doc.Width(), doc.Height()) / 256, Qt::DashLine));
  DrawShape(p);
}

QRegion TFormShapeSel::OutlineRegion() const {
  const SelectionBox b = OrderedBox(OSX->Position(), OSY->Position(), OSX2->Position(), OSY2->Position());
  if (b.Width() <= 0 || b.Height() <= 0) return {};
  const CHomeImage& doc = Document();
  const int pen = std::max(doc.Width(), doc.Height()) / 256;
  const QRect r(b.X0, b.Y0, b.Width() - 1, b.Height() - 1);
  // Half the pen and a few pixels of rasterising slack either side of the path.
  const int m = pen / 2 + 3;
  const QRegion outer(r.adjusted(-m, -m, m + 1, m + 1));
  if (kind_ == kSelectionRectangle) return outer - QRegion(r.adjusted(m, m, -m, -m));
  if (kind_ == kSelectionEllipse) {
    // The rectangle inscribed in the ellipse, shrunk by the pen and by the
    // curve's approximation error, stays clear of the stroke.
    const double hx = r.width() / 2.0 / std::sqrt(2.0), hy = r.height() / 2.0 / std::sqrt(2.0);
    const int s = m + 2 + std::max(r.width(), r.height()) / 1000;
    const QPointF c = QRectF(r).center();
    const QRect inner(QPoint(static_cast<int>(std::ceil(c.x() - hx)) + s, static_cast<int>(std::ceil(c.y() - hy)) + s),
                      QPoint(static_cast<int>(std::floor(c.x() + hx)) - s, static_cast<int>(std::floor(c.y() + hy)) - s));
    return outer - QRegion(inner);
  }
  // Straight edges along the box, the corner arcs inside boxes of their radii.
  QRegion region = outer - QRegion(r.adjusted(m, m, -m, -m));
  const int rx = OSX3->Position() / 2 + m + 1, ry = OSY3->Position() / 2 + m + 1;
  region |= QRect(r.left() - m, r.top() - m, rx + m, ry + m);
  region |= QRect(r.right() - rx, r.top() - m, rx + m + 1, ry + m);
  region |= QRect(r.left() - m, r.bottom() - ry, rx + m, ry + m + 1);
  region |= QRect(r.right() - rx, r.bottom() - ry, rx + m + 1, ry + m + 1);
  return region;
}

void TFormShapeSel::DrawShapeOutline() {
  if (!HasPicture()) return;
  CHomeImage& doc = Document();
  if (incremental_) {
    // Only the last outline (and any frame) differs from the working picture.
    FormImageHome->EraseSelectionMarks();
    DrawOutlineOn(FormImageHome->ObrazDlaUsera->EditPicture());
    FormImageHome->NoteSelectionMarks(OutlineRegion());
    return;
  }
  Bitmap& shown = FormImageHome->ObrazDlaUsera->EditPicture();
  shown = doc.WorkImage;
  FormImageHome->EraseSelectionMarks();
  DrawOutlineOn(shown);
  RepaintDisplay();
  FormImageHome->NoteSelectionMarks(OutlineRegion());
  doc.WorkImage = doc.BackupImage;
  synced_ = dragging_;
}

void TFormShapeSel::CommitSelectionShape() {
  if (!HasPicture()) return;
  FormTools->SetInvertMenu(false, true);
  CHomeImage& doc = Document();
  {
    // Black on white, filled and outlined as the shape tools draw it.
    QImage view = ui::PaintableView(doc.WorkImage);
    view.fill(Qt::white);
    QPainter p(&view);
    DrawFigure(p, Figure());
  }
  MaskFromCoverage(doc.WorkImage, Transparent->Position(), doc.SelectionMask);
  doc.WorkImage = doc.BackupImage;
  FormTools->SelectionKind = static_cast<std::uint8_t>(kind_);
  FormTools->SetInvertMenu(false, true);
}

void TFormShapeSel::MoveCorner(ui::TrackBar* bx, ui::TrackBar* by, QPoint p) {
  // One outline for the pair: the x change alone does not redraw.
  const int oldX = bx->Position();
  const int oldY = by->Position();
  quiet_ = true;
  bx->SetPosition(p.x());
  quiet_ = false;
  by->SetPosition(p.y());
  if (by->Position() == oldY && bx->Position() != oldX) DrawShapeOutline();
}

void TFormShapeSel::Press(const PointerEvent& e) {
  synced_ = false;
  dragging_ = true;
  if (e.Button == Qt::LeftButton)
    MoveCorner(OSX, OSY, e.Picture);
  else if (e.Button == Qt::RightButton)
    MoveCorner(OSX2, OSY2, e.Picture);
}

void TFormShapeSel::Drag(const PointerEvent& e) {
  incremental_ = synced_;
  MoveCorner(OSX2, OSY2, e.Picture);
  incremental_ = false;
}

void TFormShapeSel::Release(const PointerEvent&) {
  synced_ = false;
  dragging_ = false;
  CommitSelectionShape();
}

void TFormShapeSel::Wheel(int step, bool) { Transparent->SetPosition(Transparent->Position() + step); }

TFormShapeSel* ShapeSelectionWindow(int kind) {
  switch (kind) {
    case kSelectionRectangle: return FormRectangleSel;
    case kSelectionEllipse: return FormEllipseSel;
    case kSelectionRectangleRound: return FormRectangleRoundSel;
    default: return nullptr;
  }
}

void DrawCurrentShapeOutline() {
  TFormShapeSel* window = ShapeSelectionWindow(FormTools->SelectionKind);
  if (!window || !FormImageHome) return;
  window->DrawOutlineOn(FormImageHome->ObrazDlaUsera->EditPicture());
  FormImageHome->NoteSelectionMarks(window->OutlineRegion());
}

QLine CurrentShapeCorners() {
  const TFormShapeSel* window = ShapeSelectionWindow(FormTools->SelectionKind);
  if (!window) return {};
  return {window->OSX->Position(), window->OSY->Position(), window->OSX2->Position(), window->OSY2->Position()};
}

}  // namespace rv
