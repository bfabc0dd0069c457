#include "document/UnitImageHome.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/UnitHome.h"
#include "filters/GeometryCommands.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/BrushSettings.h"
#include "tools/PointerTarget.h"
#include "tools/UnitCanal.h"
#include "tools/UnitColor.h"
#include "tools/UnitTools.h"
#include "tools/core/Selection.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

TFormImageHome* FormImageHome = nullptr;

QPoint CentredDisplayOrigin(QSize client, QSize display) {
  int left = client.width() / 2 - display.width() / 2;
  int top = client.height() / 2 - display.height() / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  return {left, top};
}

TFormImageHome::TFormImageHome(QWidget* parent)
    : QWidget(parent), ObrazDlaUsera(nullptr), MenuHand(new QMenu(this)), box_(new QScrollArea(this)),
      canvas_(new QWidget) {
  // The global instance is reachable while the window builds itself.
  FormImageHome = this;
  setObjectName(QStringLiteral("FormImageHome"));
  ui::MakeToolWindow(this);
  resize(425, 406);
  box_->setFrameShape(QFrame::NoFrame);
  box_->setWidgetResizable(false);
  box_->setWidget(canvas_);
  ui::SetBackground(box_->viewport(), ui::PaletteGrey());
  ui::SetBackground(canvas_, ui::PaletteGrey());
  ObrazDlaUsera = new ui::ImageControl(canvas_);
  ObrazDlaUsera->setObjectName(QStringLiteral("ObrazDlaUsera"));
  ObrazDlaUsera->setCursor(Qt::CrossCursor);
  ObrazDlaUsera->installEventFilter(this);
  // The wheel belongs to the tools, not to the scroll box.
  box_->viewport()->installEventFilter(this);
  setAttribute(Qt::WA_StaticContents);
  MenuHand->setObjectName(QStringLiteral("MenuHand"));
  FormHome->Menus().BuildHand(MenuHand);
  if (parent) {
    const QRect r = parent->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
  }
}

void TFormImageHome::RecordLoadedPicture(const QString& label) {
  CHomeImage& doc = HomeImage;
  if (FormHistory->Count() >= 1) {
    FormHistory->AddHistoryEntry(doc.WorkImage, label, doc.Width(), doc.Height());
  } else {
    FormHistory->AddHistoryEntry(ObrazDlaUsera->Picture(), QStringLiteral("Otwórz"), doc.Width(), doc.Height());
    FormMil->AddMilestone(doc.BackupImage, QStringLiteral("Startowy obraz"), doc.Width(), doc.Height());
  }
  doc.AllocateMask();
  show();
  FormCanal->SelectChannel(0);
}

void TFormImageHome::FormResize() {
  const QSize view = box_->viewport()->size();
  const QSize disp = ObrazDlaUsera->size();
  canvas_->resize(std::max(view.width(), disp.width()), std::max(view.height(), disp.height()));
  ObrazDlaUsera->move(CentredDisplayOrigin(canvas_->size(), disp));
}

void TFormImageHome::FitToDisplay() {
  // The window wraps the display; beyond the screen's work area the scroll
  // box takes over.
  QSize want = ObrazDlaUsera->size();
  if (const QScreen* s = screen()) {
    const QSize limit = s->availableGeometry().size() - QSize(40, 60);
    want = want.boundedTo(limit);
  }
  resize(want);
  box_->resize(size());
  FormResize();
}

void TFormImageHome::ApplyZoom() {
  const CHomeImage& doc = HomeImage;
  const int zoom = FormTools->ZoomPercent;
  ObrazDlaUsera->resize(doc.DisplayWidth + zoom * doc.DisplayWidth / 100,
                        doc.DisplayHeight + zoom * doc.DisplayHeight / 100);
  FormResize();
}

QPoint TFormImageHome::ScrollPositions() const {
  return {box_->horizontalScrollBar()->value(), box_->verticalScrollBar()->value()};
}

void TFormImageHome::SetScrollPositions(QPoint p) {
  box_->verticalScrollBar()->setValue(p.y());
  box_->horizontalScrollBar()->setValue(p.x());
}

void TFormImageHome::ShowOnDisplay(const Bitmap& picture) {
  if (ObrazDlaUsera->Picture() == picture) {
    ObrazDlaUsera->update();
    return;
  }
  ObrazDlaUsera->SetPicture(picture);
}

void TFormImageHome::TakeCroppedPicture(Bitmap crop, const QString& label) {
  CHomeImage& doc = HomeImage;
  doc.FreeMask();
  ObrazDlaUsera->SetPicture(std::move(crop));
  ReplaceDocumentPicture(label);
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
  ShowOnDisplay(doc.WorkImage);
}

void TFormImageHome::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  box_->resize(event->size());
  FormResize();
}

bool TFormImageHome::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (watched == ObrazDlaUsera) {
    switch (t) {
      case QEvent::Resize: FormResize(); break;
      // The second press of a double click arrives as the double click.
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: ObrazDlaUseraMouseDown(static_cast<QMouseEvent*>(event)); return true;
      case QEvent::MouseMove: ObrazDlaUseraMouseMove(static_cast<QMouseEvent*>(event)); break;
      case QEvent::MouseButtonRelease: ObrazDlaUseraMouseUp(static_cast<QMouseEvent*>(event)); return true;
      default: break;
    }
  }
  if (t == QEvent::Wheel && (watched == ObrazDlaUsera || watched == box_->viewport())) {
    auto* e = static_cast<QWheelEvent*>(event);
    const QPoint at = ObrazDlaUsera->mapFromGlobal(e->globalPosition()).toPoint();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    // One step per notch; finer wheels add up to a notch first.
    wheelTravel_ += e->angleDelta().y();
    while (wheelTravel_ >= 120) {
      wheelTravel_ -= 120;
      FormMouseWheelUp(at, ctrl);
    }
    while (wheelTravel_ <= -120) {
      wheelTravel_ += 120;
      FormMouseWheelDown(at, ctrl);
    }
    e->accept();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Pointer over the picture ---------------------------------------------

namespace {

bool IsTargetTool(int tool) { return (tool >= 1 && tool <= 15) || tool == 36; }

QRect BoxRect(const BrushBox& b) { return QRect(QPoint(b.x0, b.y0), QPoint(b.x1 - 1, b.y1 - 1)); }

void CopyRect(const Bitmap& from, Bitmap& to, const QRect& r) {
  if (!r.isEmpty()) CopyArea(from, to, r.x(), r.y(), r.width(), r.height());
}

PointerEvent MakeEvent(QPoint display, QPoint picture, Qt::MouseButton button, Qt::MouseButtons held) {
  PointerEvent e;
  e.Display = display;
  e.Picture = picture;
  e.Button = button;
  e.Held = held;
  return e;
}

}  // namespace

QSize TFormImageHome::DisplaySize() const { return ObrazDlaUsera->size(); }

QPoint TFormImageHome::ToPicture(QPoint d) const {
  const QSize ds = DisplaySize();
  const DabPoint p = DisplayToPicture(d.x(), d.y(), HomeImage.Width(), HomeImage.Height(), ds.width(), ds.height());
  return {p.X, p.Y};
}

int TFormImageHome::OutlineRadius() const {
  const int tool = FormTools->ToolId;
  if (!HasBrushOutline(tool)) return 0;
  if (IsBrushTool(tool)) return BrushSize(tool, BrushSettings());
  const PointerTarget* target = FindPointerTarget(tool);
  return target ? target->OutlineSize() : 0;
}

void TFormImageHome::ObrazDlaUseraMouseDown(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Spacing.Press(at.x(), at.y());
  if (!HomeImage.HasPicture()) return;
  if (event->button() == Qt::LeftButton)
    LeftPress(at);
  else if (event->button() == Qt::RightButton)
    RightPress(at);
}

void TFormImageHome::ObrazDlaUseraMouseMove(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  ui::FocusWindow(this);
  FormHome->PointerOverPicture = true;
  if (!HomeImage.HasPicture()) return;
  const int tool = FormTools->ToolId;
  if (HasBrushOutline(tool)) DrawBrushCursor(at, OutlineRadius());
  FormTools->DrawSelectionOutline();
  const int d = StrokeSpacing(tool, BrushSettings().Brush.Wielkosc);
  if (!Spacing.PassMove(at.x(), at.y(), d)) return;
  const Qt::MouseButtons held = event->buttons();
  if (held & Qt::LeftButton) LeftDrag(at);
  if (held & Qt::RightButton) RightDrag(at);
}

void TFormImageHome::ObrazDlaUseraMouseUp(QMouseEvent* event) {
  if (!HomeImage.HasPicture()) return;
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton)
    LeftRelease(at);
  else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton)
    RightRelease(at);
}

void TFormImageHome::LeftPress(QPoint at) {
  const int tool = FormTools->ToolId;
  if (tool == 0) {
    PanAnchor = QCursor::pos();
    PanByPointer(PanAnchor);
  } else if (IsTargetTool(tool)) {
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Press(MakeEvent(at, ToPicture(at), Qt::LeftButton, Qt::LeftButton));
  } else if (IsBrushTool(tool)) {
    BeginStroke();
    BrushDab(at, false);
  } else if (tool == 34) {
    PickInto(at, true);
  } else if (tool == 35) {
    ZoomIn();
  }
}

void TFormImageHome::RightPress(QPoint at) {
  const int tool = FormTools->ToolId;
  if (tool == kToolStamp) {
    FormTools->StampSourceSet = true;
    FormTools->StampSourceX = at.x();
    FormTools->StampSourceY = at.y();
  } else if (tool >= 1 && tool <= 15) {
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Press(MakeEvent(at, ToPicture(at), Qt::RightButton, Qt::RightButton));
  } else if (tool == 0 || IsBrushTool(tool) || tool == 36) {
    PanAnchor = QCursor::pos();
    PanByPointer(PanAnchor);
  } else if (tool == 34) {
    PickInto(at, false);
  } else if (tool == 35) {
    ZoomOut();
  }
}

void TFormImageHome::LeftDrag(QPoint at) {
  const int tool = FormTools->ToolId;
  if (tool == 0) {
    PanByPointer(PanAnchor);
  } else if (IsTargetTool(tool)) {
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Drag(MakeEvent(at, ToPicture(at), Qt::NoButton, Qt::LeftButton));
  } else if (IsBrushTool(tool)) {
    BrushDab(at, true);
  } else if (tool == 34) {
    PickInto(at, true);
  }
}

void TFormImageHome::RightDrag(QPoint at) {
  const int tool = FormTools->ToolId;
  if (tool == kToolStamp) {
    FormTools->StampSourceSet = true;
    FormTools->StampSourceX = at.x();
    FormTools->StampSourceY = at.y();
  } else if (tool >= 1 && tool <= 15) {
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Drag(MakeEvent(at, ToPicture(at), Qt::NoButton, Qt::RightButton));
  } else if (tool == 0 || IsBrushTool(tool) || tool == 36) {
    PanByPointer(PanAnchor);
  } else if (tool == 34) {
    PickInto(at, false);
  }
}

void TFormImageHome::LeftRelease(QPoint at) {
  const int tool = FormTools->ToolId;
  if (IsTargetTool(tool)) {
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Release(MakeEvent(at, ToPicture(at), Qt::LeftButton, Qt::NoButton));
    // The mask's release puts the committed picture back on the display.
    if (tool == 36) outlineRect_ = QRect();
  } else if (IsBrushTool(tool)) {
    CommitStroke();
  }
}

void TFormImageHome::RightRelease(QPoint at) {
  const int tool = FormTools->ToolId;
  if (tool >= 1 && tool <= 15)
    if (PointerTarget* target = FindPointerTarget(tool))
      target->Release(MakeEvent(at, ToPicture(at), Qt::RightButton, Qt::NoButton));
}

void TFormImageHome::BeginStroke() {
  strokeOpen_ = true;
  StrokeRect = QRect();
  // The history brush reads the list as it is when the stroke starts; the
  // earlier picture is fetched only when a dab needs it.
  historySources_ = HistorySources{};
  historyPrevious_ = Bitmap();
  historyCurrentName_.clear();
  historyPreviousName_.clear();
  if (FormTools->ToolId != kToolBrushHistory) return;
  const int c = FormHistory->CurrentHistoryIndex();
  historySources_.CurrentIndex = c;
  historySources_.Snapshot = &HomeImage.SnapshotImage;
  if (c >= 0 && c < FormHistory->Count()) historyCurrentName_ = FormHistory->Entries[c].FileName.toStdString();
  if (c >= 1 && c <= FormHistory->Count()) historyPreviousName_ = FormHistory->Entries[c - 1].FileName.toStdString();
  historySources_.CurrentFileName = historyCurrentName_;
  historySources_.PreviousFileName = historyPreviousName_;
}

void TFormImageHome::BrushDab(QPoint at, bool drag) {
  const int tool = FormTools->ToolId;
  const BrushToolDecl* decl = FindBrushTool(tool);
  if (!decl || (drag && !decl->DabsOnDrag)) return;
  CHomeImage& doc = HomeImage;
  BrushToolSettings& settings = BrushSettings();
  HistorySources& hs = historySources_;
  if (tool == kToolBrushHistory && settings.BrushHistory.RadioBack && !hs.Previous && hs.CurrentIndex >= 1 &&
      historyCurrentName_ == historyPreviousName_) {
    const CHistory& entry = FormHistory->Entries[hs.CurrentIndex - 1];
    if (entry.Thumb) historyPrevious_ = entry.Thumb->Picture();
    hs.Previous = &historyPrevious_;
  }
  DabTarget target{FormTools->ToolEngine, doc.WorkImage,           doc.BackupImage, doc.SelectionMask,
                   FormCanal->ActiveChannel, FormTools->PrimaryColor(), false};
  CStampSource stamp;
  stamp.StampSourceX = FormTools->StampSourceX;
  stamp.StampSourceY = FormTools->StampSourceY;
  stamp.StampSourceSet = FormTools->StampSourceSet;
  stamp.StampLastX = StampLastX;
  stamp.StampLastY = StampLastY;
  const QSize ds = DisplaySize();
  const DabStatus status = drag ? BrushLeftDrag(tool, target, at.x(), at.y(), ds.width(), ds.height(), settings,
                                                stamp, hs)
                                : BrushLeftPress(tool, target, at.x(), at.y(), ds.width(), ds.height(), settings,
                                                 stamp, hs);
  FormTools->StampSourceX = stamp.StampSourceX;
  FormTools->StampSourceY = stamp.StampSourceY;
  StampLastX = stamp.StampLastX;
  StampLastY = stamp.StampLastY;
  if (status != DabStatus::Done) {
    ui::ShowMessage(this, QString::fromUtf8(DabMessage(status)));
    return;
  }
  const QPoint c = ToPicture(at);
  const QRect box =
      BoxRect(CPixelEngine::BrushBounds(doc.Width(), doc.Height(), c.x(), c.y(), BrushSize(tool, settings)));
  StrokeRect |= box;
  // The dab shows at once, with the outline kept over it.
  ShowWorkRect(box | outlineRect_);
  outlineRect_ = QRect();
  DrawOutline(at, OutlineRadius(), false);
}

void TFormImageHome::ShowWorkRect(const QRect& picture) {
  Bitmap& shown = ObrazDlaUsera->EditPicture();
  const Bitmap& work = HomeImage.WorkImage;
  if (shown.Width() != work.Width() || shown.Height() != work.Height()) {
    ObrazDlaUsera->SetPicture(work);
    return;
  }
  CopyRect(work, shown, picture);
  RepaintPictureRect(picture);
}

void TFormImageHome::RepaintPictureRect(const QRect& picture) {
  if (picture.isEmpty()) return;
  const int w = HomeImage.Width(), h = HomeImage.Height();
  if (w <= 0 || h <= 0) return;
  const QSize ds = DisplaySize();
  const auto scale = [](int v, int from, int to) { return static_cast<int>(static_cast<long long>(v) * to / from); };
  const int left = scale(picture.left(), w, ds.width()) - 2;
  const int top = scale(picture.top(), h, ds.height()) - 2;
  const int right = scale(picture.right() + 1, w, ds.width()) + 2;
  const int bottom = scale(picture.bottom() + 1, h, ds.height()) + 2;
  ObrazDlaUsera->update(QRect(QPoint(left, top), QPoint(right, bottom)));
}

void TFormImageHome::RepaintPictureRegion(const QRegion& picture) {
  for (const QRect& r : picture) RepaintPictureRect(r);
}

void TFormImageHome::NoteSelectionMarks(const QRegion& picture) {
  const QRegion r = picture & QRect(0, 0, HomeImage.Width(), HomeImage.Height());
  selectionMarks_ |= r;
  RepaintPictureRegion(r);
}

QRegion TFormImageHome::EraseSelectionMarks() {
  // The picture may have shrunk since the marks were drawn.
  const QRegion marks = selectionMarks_ & QRect(0, 0, HomeImage.Width(), HomeImage.Height());
  selectionMarks_ = QRegion();
  Bitmap& shown = ObrazDlaUsera->EditPicture();
  const Bitmap& work = HomeImage.WorkImage;
  if (shown.Width() != work.Width() || shown.Height() != work.Height()) return marks;
  for (const QRect& r : marks) CopyRect(work, shown, r);
  RepaintPictureRegion(marks);
  return marks;
}

void TFormImageHome::DrawBrushCursor(QPoint at, int r) { DrawOutline(at, r, true); }

void TFormImageHome::DrawOutline(QPoint at, int r, bool restore) {
  // A tool without a size to show (the mask before its window exists).
  if (r <= 0) return;
  Bitmap& shown = ObrazDlaUsera->EditPicture();
  const Bitmap& clean = HomeImage.WorkImage;
  if (clean.Empty() || shown.Width() != clean.Width() || shown.Height() != clean.Height()) return;
  const QSize ds = DisplaySize();
  const BrushCursorPlan plan = PlanBrushCursor(clean, at.x(), at.y(), r, true, ds.width(), ds.height());
  CPixelEngine& e = FormTools->ToolEngine;
  e.ColorR = PackedRed(plan.PenColor);
  e.ColorG = PackedGreen(plan.PenColor);
  e.ColorB = PackedBlue(plan.PenColor);
  const QRect whole(0, 0, clean.Width(), clean.Height());
  QRect dirty;
  if (restore) {
    // The square around the pointer erases the outline of the last position;
    // after a longer jump the old outline is erased where it is.
    const QRect square(QPoint(plan.RestoreLeft, plan.RestoreTop), QPoint(plan.RestoreRight, plan.RestoreBottom));
    CopyRect(clean, shown, square);
    CopyRect(clean, shown, outlineRect_);
    dirty = (square & whole) | outlineRect_;
  }
  {
    QImage view = ui::PaintableView(shown);
    QPainter p(&view);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ToQColor(plan.PenColor), plan.PenWidth, Qt::DashLine));
    p.drawEllipse(QRect(QPoint(plan.Left, plan.Top), QPoint(plan.Right, plan.Bottom)));
  }
  const int m = plan.PenWidth / 2 + 2;
  const QRect drawn =
      QRect(QPoint(plan.Left, plan.Top), QPoint(plan.Right, plan.Bottom)).adjusted(-m, -m, m, m) & whole;
  RepaintPictureRect(dirty | drawn);
  outlineRect_ = drawn;
}

void TFormImageHome::CommitStroke() {
  CHomeImage& doc = HomeImage;
  const int tool = FormTools->ToolId;
  const QRect whole(0, 0, doc.Width(), doc.Height());
  // Outside the stroke's dabs the working picture equals the backup already.
  const QRect changed = strokeOpen_ ? StrokeRect & whole : whole;
  CopyRect(doc.WorkImage, doc.BackupImage, changed);
  // The display also drops the brush outline and every selection mark; a
  // text mask's preview with the inverted frame is dropped whole.
  const int kind = FormTools->SelectionKind;
  const bool invert = FormHome->InvertTicked();
  if (invert && (kind == kSelectionTextHorz || kind == kSelectionTextVert)) {
    selectionMarks_ = QRegion();
    ShowWorkRect(whole);
  } else {
    if ((kind >= kSelectionRectangle && kind <= kSelectionRectangleRound) || invert) EraseSelectionMarks();
    ShowWorkRect((changed | outlineRect_) & whole);
  }
  outlineRect_ = QRect();
  strokeOpen_ = false;
  StrokeRect = changed;
  if (!StrokeAddsHistoryEntry(tool, BrushSettings().BrushHistory.BoxNewHistory)) {
    unrecordedRect_ |= changed;
    return;
  }
  // The history takes the rest of the picture from its current entry.
  const QRect hint = changed | unrecordedRect_;
  unrecordedRect_ = QRect();
  FormHistory->AddHistoryEntry(doc.WorkImage, QString::fromUtf8(StrokeLabel(tool)), doc.Width(), doc.Height(), hint);
}

void TFormImageHome::PanByPointer(QPoint anchor) {
  const QPoint now = QCursor::pos();
  ScrollBy(now.x() - anchor.x(), now.y() - anchor.y());
  if (now != anchor) QCursor::setPos(anchor);
  update();
}

void TFormImageHome::ScrollBy(int dx, int dy) {
  const QPoint p = ScrollPositions();
  SetScrollPositions(QPoint(p.x() + dx, p.y() + dy));
}

void TFormImageHome::PickInto(QPoint at, bool edited) {
  const QSize ds = DisplaySize();
  const PackedColor c =
      CPixelEngine::PickColor(ObrazDlaUsera->Picture(), at.x(), at.y(), true, ds.width(), ds.height());
  const bool secondary = FormColor->State.EditSecondary == edited;
  FormTools->SetToolColor(secondary ? ToolColor::Secondary : ToolColor::Primary, c);
}

void TFormImageHome::ZoomIn() {
  FormTools->ZoomPercent += 50;
  ApplyZoom();
}

void TFormImageHome::ZoomOut() {
  FormTools->ZoomPercent -= 50;
  if (FormTools->ZoomPercent > 0) {
    ApplyZoom();
    return;
  }
  FormTools->ZoomPercent = 0;
  ApplyZoom();
  FitToDisplay();
}

void TFormImageHome::FormMouseWheelDown(QPoint at, bool ctrl) { Wheel(at, false, ctrl); }

void TFormImageHome::FormMouseWheelUp(QPoint at, bool ctrl) { Wheel(at, true, ctrl); }

void TFormImageHome::Wheel(QPoint at, bool up, bool ctrl) {
  const int tool = FormTools->ToolId;
  const int step = up ? 4 : -4;
  const int scroll = up ? -40 : 40;
  if (tool == 0 || tool == 34 || tool == 35) {
    if (ctrl)
      ScrollBy(scroll, 0);
    else
      ScrollBy(0, scroll);
    if (tool == 35) {
      if (up)
        ZoomIn();
      else
        ZoomOut();
    }
  } else if (IsBrushTool(tool)) {
    StepBrushControl(tool, ctrl ? "Przezroczystosc" : "Wielkosc", step);
    if (HomeImage.HasPicture()) DrawBrushCursor(at, OutlineRadius());
  } else if (IsTargetTool(tool)) {
    if (PointerTarget* target = FindPointerTarget(tool)) target->Wheel(step, ctrl);
    if (tool == 36 && HomeImage.HasPicture()) DrawBrushCursor(at, OutlineRadius());
  }
  FormTools->DrawSelectionOutline();
}

}  // namespace rv
