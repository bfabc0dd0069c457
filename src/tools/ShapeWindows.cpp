#include "tools/ShapeWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/UnitCanal.h"
#include "tools/UnitElipsy.h"
#include "tools/UnitFraming.h"
#include "tools/UnitLine.h"
#include "tools/UnitLineBezier.h"
#include "tools/UnitRectangle.h"
#include "tools/UnitRectangleRound.h"
#include "tools/UnitTextHorz.h"
#include "tools/UnitTextVert.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/ControlRows.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

namespace {

constexpr int kDotsPerMeter96 = 3780;
constexpr int kRowWidth = 314;

QPen FigurePen(const QColor& colour, int width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The box of two corners as the canvas fills it: columns x0 <= x < x1, rows
// y0 <= y < y1, whichever way round the corners were given.
QRect CornerBox(QPoint a, QPoint b) {
  const int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
  const int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
  // A stroked QRect covers its size plus the pen: one less on each axis.
  return QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1);
}

}  // namespace

void DrawFigure(QPainter& p, const FigureSpec& f) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  switch (f.Kind) {
    case FigureKind::Rectangle:
    case FigureKind::Ellipse:
    case FigureKind::RoundRect: {
      const QRect box = CornerBox(f.P1, f.P2);
      if (box.width() < 0 || box.height() < 0) break;
      p.setBrush(f.Primary);
      p.setPen(FigurePen(f.Secondary, f.Size));
      if (f.Kind == FigureKind::Rectangle)
        p.drawRect(box);
      else if (f.Kind == FigureKind::Ellipse)
        p.drawEllipse(box);
      else  // the corner ellipses are P3 wide and high
        p.drawRoundedRect(QRectF(box), f.P3.x() / 2.0, f.P3.y() / 2.0, Qt::AbsoluteSize);
      break;
    }
    case FigureKind::Line:
      p.setPen(FigurePen(f.Primary, f.Size));
      p.drawLine(f.P1, f.P2);
      break;
    case FigureKind::Bezier: {
      // One cubic segment whose two control points both lie at P2.
      QPainterPath path(f.P1);
      path.cubicTo(f.P2, f.P2, f.P3);
      p.setBrush(Qt::NoBrush);
      p.setPen(FigurePen(f.Primary, f.Size));
      p.drawPath(path);
      break;
    }
    case FigureKind::TextHorz:
    case FigureKind::TextVert: DrawToolText(p, f.Text, f.P1, f.Primary); break;
  }
  p.restore();
}

ShapeRegion FigureScanRegion(const FigureSpec& f, int width, int height) {
  switch (f.Kind) {
    case FigureKind::Bezier: {
      // The curve stays inside the hull of its three points.
      const int x0 = std::min({f.P1.x(), f.P2.x(), f.P3.x()}), x1 = std::max({f.P1.x(), f.P2.x(), f.P3.x()});
      const int y0 = std::min({f.P1.y(), f.P2.y(), f.P3.y()}), y1 = std::max({f.P1.y(), f.P2.y(), f.P3.y()});
      return ShapeScanRegion(width, height, x0, y0, x1, y1, f.Size);
    }
    case FigureKind::TextHorz:
    case FigureKind::TextVert: {
      // Only pixels the text changes are composed: looking beyond its box
      // would find none.
      const QRect box = ToolTextBounds(f.Text, f.P1);
      if (box.isEmpty()) return {};
      return ShapeScanRegion(width, height, box.left(), box.top(), box.right() + 1, box.bottom() + 1, 0);
    }
    default: return ShapeScanRegion(width, height, f.P1.x(), f.P1.y(), f.P2.x(), f.P2.y(), f.Size);
  }
}

Bitmap DrawFigureScratch(const Bitmap& backup, const FigureSpec& figure, ShapeRegion region) {
  Bitmap scratch = backup.Copy(region.x0, region.y0, region.Width(), region.Height());
  if (scratch.Empty()) return scratch;
  QImage view = ui::PaintableView(scratch);
  view.setDotsPerMeterX(kDotsPerMeter96);
  view.setDotsPerMeterY(kDotsPerMeter96);
  QPainter p(&view);
  p.translate(-region.x0, -region.y0);
  DrawFigure(p, figure);
  return scratch;
}

// ---------------------------------------------------------------- the common window

TFormShapeOptions::TFormShapeOptions(int toolId, const QString& caption, const QString& historyLabel,
                                     QWidget* parent)
    : QWidget(parent), toolId_(toolId), historyLabel_(historyLabel) {
  setWindowTitle(caption);
  ui::MakeToolWindow(this);
  ui::GiveFocusOnHover(this);
  setMinimumWidth(kRowWidth + 16);  // room for the longest caption
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(8, 6, 8, 6);
  grid_->setVerticalSpacing(2);
  auto hidden = [this](const char* name) {
    auto* bar = new ui::TrackBar(0, 0, 0, this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->hide();
    return bar;
  };
  OSX = hidden("OSX");
  OSY = hidden("OSY");
  OSX2 = hidden("OSX2");
  OSY2 = hidden("OSY2");
  OSX3 = hidden("OSX3");
  OSY3 = hidden("OSY3");
  OK = new QPushButton(QStringLiteral("OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  Anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
  Anuluj->setObjectName(QStringLiteral("Anuluj"));
  connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
  connect(Anuluj, &QPushButton::clicked, this, [this] { AnulujClick(); });
  FormTools->ConnectTool(toolId, [this] { ToolClick(); });
  FormTools->RegisterOptionWindow(this);
  RegisterPointerTarget(toolId, this);
}

void TFormShapeOptions::AddRow(QWidget* left, QWidget* right) {
  const int row = grid_->rowCount();
  if (right) {
    grid_->addWidget(left, row, 0);
    grid_->addWidget(right, row, 1, Qt::AlignRight);
  } else {
    grid_->addWidget(left, row, 0, 1, 2);
  }
}

ui::TrackBar* TFormShapeOptions::AddBar(const ControlDecl& decl, ui::TrackBar* existing) {
  auto* row = new QWidget(this);
  row->setFixedHeight(ui::kTrackRowHeight);
  ui::TrackRow r = ui::AddTrackRow(row, 0, kRowWidth, decl);
  if (existing) {
    // A bar made already (a coordinate bar) takes the place of the new one.
    existing->setParent(row);
    existing->setGeometry(r.Bar->geometry());
    existing->show();
    r.Value->setText(QString::number(existing->Position()));
    delete r.Bar;
    r.Bar = existing;
  }
  QLabel* value = r.Value;
  connect(r.Bar, &ui::TrackBar::Changed, value, [value](int v) { value->setText(QString::number(v)); });
  AddRow(row);
  return r.Bar;
}

void TFormShapeOptions::AddButtons() {
  const int row = grid_->rowCount();
  grid_->addWidget(OK, row, 0);
  grid_->addWidget(Anuluj, row, 1);
}

bool TFormShapeOptions::SetPoint(ui::TrackBar* x, ui::TrackBar* y, QPoint p) {
  const QPoint before(x->Position(), y->Position());
  x->SetPosition(p.x());
  y->SetPosition(p.y());
  return QPoint(x->Position(), y->Position()) != before;
}

void TFormShapeOptions::SetRanges(int width, int height) {
  for (ui::TrackBar* b : {OSX, OSX2, OSX3}) b->SetRange(0, width);
  for (ui::TrackBar* b : {OSY, OSY2, OSY3}) b->SetRange(0, height);
}

void TFormShapeOptions::ToolClick() {
  // Without a picture there is nothing to place a figure on.
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  FormTools->SelectTool(toolId_);
  FormTools->CloseToolOptionWindows();
  FormTools->PlaceOptionWindow(this);
  SetRanges(doc.Width(), doc.Height());
  FormTools->DisableMainUi();
  show();
  Start();
}

void TFormShapeOptions::Finish() {
  close();
  FormTools->EnableMainUi();
}

// ---------------------------------------------------------------- figures and texts

TFormFigure::TFormFigure(FigureKind kind, int toolId, const QString& caption, const QString& historyLabel,
                         QWidget* parent)
    : TFormShapeOptions(toolId, caption, historyLabel, parent), kind_(kind), font_(DefaultToolFont()) {
  auto* modeRow = new QWidget(this);
  modeRow->setFixedHeight(ui::kModeRowHeight);
  Tryb = ui::AddModeRow(modeRow, 0, kRowWidth, QStringLiteral("Tryb:"), "Tryb");
  AddRow(modeRow);
  connect(Tryb, &QComboBox::currentIndexChanged, this, [this] { RenderShape(); });
  if (IsText()) {
    Text = new QLineEdit(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->installEventFilter(this);
    AddRow(new QLabel(QStringLiteral("Tekst:"), this));
    AddRow(Text);
    UstawCzcionke = new QPushButton(QStringLiteral("Ustaw czcionkę"), this);
    UstawCzcionke->setObjectName(QStringLiteral("UstawCzcionke"));
    connect(UstawCzcionke, &QPushButton::clicked, this, [this] { ChooseFont(); });
    AddRow(UstawCzcionke);
    Transparent = AddBar(Track("Transparent", "Krycie:", 0, 100, 100));
    connect(Transparent, &ui::TrackBar::Changed, this, [this] { RenderShape(); });
    Run = AddBar(Track("Run", "Przesunięcie:", 1, 1000, 200));
    connect(Run, &ui::TrackBar::Changed, this, [this] { RenderShape(); });
    if (kind == FigureKind::TextHorz) {
      RunCheck = new QCheckBox(QStringLiteral("Ustaw szerokość"), this);
      RunCheck->setObjectName(QStringLiteral("RunCheck"));
      AddRow(RunCheck);
      Run->setEnabled(false);
      connect(RunCheck, &QCheckBox::toggled, this, [this](bool on) {
        Run->setEnabled(on);
        RenderShape();
      });
    }
  } else {
    Size = AddBar(Track("Size", "Grubość:", 1, 300, 5));
    Transparent = AddBar(Track("Transparent", "Krycie:", 0, 100, 100));
    if (kind == FigureKind::RoundRect) {
      // The corner ellipses' sliders are the visible ones of this window.
      AddBar(Track("OSX3", "Okr. X:", 0, 0, 0), OSX3);
      AddBar(Track("OSY3", "Okr. Y:", 0, 0, 0), OSY3);
    }
  }
  AddButtons();
}

FigureSpec TFormFigure::CurrentFigure() const {
  FigureSpec f;
  f.Kind = kind_;
  f.P1 = QPoint(OSX->Position(), OSY->Position());
  f.P2 = QPoint(OSX2->Position(), OSY2->Position());
  f.P3 = QPoint(OSX3->Position(), OSY3->Position());
  f.Size = Size ? Size->Position() : 1;
  f.Primary = ToQColor(FormTools->PrimaryColor());
  f.Secondary = ToQColor(FormTools->SecondaryColor());
  if (IsText()) {
    f.Text.Text = Text->text();
    f.Text.Font = font_;
    f.Text.Vertical = kind_ == FigureKind::TextVert;
    f.Text.CharacterByCharacter = RunCheck && RunCheck->isChecked();
    f.Text.Run = Run->Position();
  }
  return f;
}

void TFormFigure::RefreshDisplay(const Bitmap& picture, const ShapeRegion& alsoHere) {
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  const Bitmap& shown = display->Picture();
  const bool outline = FormTools->SelectionKind != 0 || FormHome->InvertTicked();
  if (outline || shown.Width() != picture.Width() || shown.Height() != picture.Height()) {
    display->SetPicture(picture);
    return;
  }
  CopyRegion(display->EditPicture(), picture, Union(displayChanged_, alsoHere));
  display->update();
}

void TFormFigure::PreviewShape() {
  if (!isVisible() || !FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  RefreshDisplay(doc.BackupImage, {});
  const FigureSpec figure = CurrentFigure();
  displayChanged_ = FigureScanRegion(figure, doc.Width(), doc.Height());
  QImage view = ui::PaintableView(display->EditPicture());
  view.setDotsPerMeterX(kDotsPerMeter96);
  view.setDotsPerMeterY(kDotsPerMeter96);
  {
    QPainter p(&view);
    const ShapeRegion& r = displayChanged_;
    p.setClipRect(QRect(r.x0, r.y0, r.Width(), r.Height()));
    DrawFigure(p, figure);
  }
  display->update();
}

void TFormFigure::RenderShape() {
  if (!isVisible() || !FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  // The working picture := the backup.
  CopyRegion(doc.WorkImage, doc.BackupImage, workChanged_);
  const FigureSpec figure = CurrentFigure();
  ShapeComposeArgs args;
  args.Transparent = Transparent->Position();
  args.Tryb = Tryb->currentIndex();
  args.Channel = FormCanal ? static_cast<int>(FormCanal->ActiveChannel) : static_cast<int>(kChannelAll);
  args.Region = FigureScanRegion(figure, doc.Width(), doc.Height());
  args.ScratchLeft = args.Region.x0;
  args.ScratchTop = args.Region.y0;
  if (!args.Region.Empty()) {
    const Bitmap scratch = DrawFigureScratch(doc.BackupImage, figure, args.Region);
    ComposeShape(FormTools->ToolEngine, doc.WorkImage, doc.BackupImage, scratch, doc.SelectionMask, args);
  }
  workChanged_ = args.Region;
  RefreshDisplay(doc.WorkImage, args.Region);
  displayChanged_ = args.Region;
}

void TFormFigure::ChooseFont() {
  const auto chosen = ChooseToolFont(this, font_);
  if (!chosen) return;
  font_ = *chosen;
  OSX->SetMin(TextOriginMinimum(font_));
  OSY->SetMin(TextOriginMinimum(font_));
  RenderShape();
}

void TFormFigure::SetRanges(int width, int height) {
  TFormShapeOptions::SetRanges(width, height);
  if (IsText()) {
    OSX->SetMin(TextOriginMinimum(font_));
    OSY->SetMin(TextOriginMinimum(font_));
  }
  if (kind_ == FigureKind::RoundRect) {
    OSX3->SetPosition(width / 2);
    OSY3->SetPosition(height / 2);
  }
}

void TFormFigure::Start() {
  const CHomeImage& doc = FormImageHome->HomeImage;
  workChanged_ = displayChanged_ = WholePicture(doc.Width(), doc.Height());
  RenderShape();
  FormTools->DrawSelectionOutline();
}

void TFormFigure::OKClick() {
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.BackupImage = doc.WorkImage;
  Finish();
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  FormHistory->AddHistoryEntry(doc.WorkImage, HistoryLabel(), doc.Width(), doc.Height());
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  FormHome->RestoreCleanDisplay();
}

void TFormFigure::AnulujClick() {
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.WorkImage = doc.BackupImage;
  Finish();
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  // Every window shows the restored picture at once, not only some of them.
  FormImageHome->ShowOnDisplay(doc.BackupImage);
}

void TFormFigure::MovePoint(ui::TrackBar* x, ui::TrackBar* y, QPoint p) {
  // The preview follows once both coordinates are in place.
  if (SetPoint(x, y, p)) PreviewShape();
}

void TFormFigure::Press(const PointerEvent& e) {
  if (IsText()) {
    MovePoint(OSX, OSY, e.Picture);
    return;
  }
  if (e.Button == Qt::LeftButton)
    MovePoint(OSX, OSY, e.Picture);
  else if (e.Button == Qt::RightButton)
    MovePoint(OSX2, OSY2, e.Picture);
}

void TFormFigure::Drag(const PointerEvent& e) {
  if (IsText()) {
    MovePoint(OSX, OSY, e.Picture);
    return;
  }
  if (kind_ == FigureKind::Bezier) {
    if (e.Held & Qt::LeftButton) MovePoint(OSX3, OSY3, e.Picture);
    if (e.Held & Qt::RightButton) MovePoint(OSX2, OSY2, e.Picture);
    return;
  }
  MovePoint(OSX2, OSY2, e.Picture);
}

void TFormFigure::Release(const PointerEvent&) { RenderShape(); }

void TFormFigure::Wheel(int step, bool ctrl) {
  ui::TrackBar* bar = !ctrl ? Transparent : (IsText() ? Run : Size);
  bar->SetPosition(bar->Position() + step);
}

bool TFormFigure::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text && event->type() == QEvent::KeyRelease) RenderShape();
  return TFormShapeOptions::eventFilter(watched, event);
}

// ---------------------------------------------------------------- start-up

void CreateShapeWindows(QWidget* parent) {
  FormTextHorz = new TFormTextHorz(parent);
  FormTextVert = new TFormTextVert(parent);
  FormRectangle = new TFormRectangle(parent);
  FormElipsy = new TFormElipsy(parent);
  FormRectangleRound = new TFormRectangleRound(parent);
  FormLine = new TFormLine(parent);
  FormLineBezier = new TFormLineBezier(parent);
  FormFraming = new TFormFraming(parent);
}

}  // namespace rv
