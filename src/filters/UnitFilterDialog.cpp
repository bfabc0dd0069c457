#include "filters/UnitFilterDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>
#include <cstring>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/UnitImposition.h"
#include "history/UnitHistory.h"
#include "tools/UnitCanal.h"
#include "tools/UnitTools.h"
#include "ui/ControlRows.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

namespace {

constexpr int kPanelSize = 401;    // the preview panel
constexpr int kPreviewSize = 391;  // ImageViewUser inside it
constexpr int kColumnWidth = 280;
constexpr int kProgressHeight = 18;
constexpr int kCancelSize = 16;
constexpr int kRowHeight = ui::kTrackRowHeight;  // one row of bars

// Used only when the tool palette does not exist (never in the program).
CPixelEngine& SpareEngine() {
  static CPixelEngine e;
  return e;
}

CPixelEngine& Engine() { return FormTools ? FormTools->FilterEngine : SpareEngine(); }

QFrame* MakePanel(QWidget* parent, int y, int height) {
  return ui::MakeRaisedPanel(parent, y, kColumnWidth, height);
}

}  // namespace

void CProgressBar::SetMaximum(int maximum) {
  if (bar_) bar_->setMaximum(maximum);
}
void CProgressBar::SetPosition(int position) {
  if (bar_) bar_->setValue(position);
}
int CProgressBar::Position() const { return bar_ ? bar_->value() : 0; }
void CProgressBar::ProcessEvents() { QCoreApplication::processEvents(); }

PreviewRect PreviewRegion(int cx, int cy, int halfSize, int w, int h) {
  const int left = std::max(0, cx - halfSize);
  const int right = std::min(w, cx + halfSize);
  const int top = std::max(0, cy - halfSize);
  const int bottom = std::min(h, cy + halfSize);
  // A centre left over from a larger picture can lie outside this one.
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

QPoint PreviewRegionOrigin(int cx, int cy, int halfSize) {
  return {std::max(0, cx - halfSize), std::max(0, cy - halfSize)};
}

QPixmap CancelImage(bool highlighted) {
  QPixmap pix(kCancelSize, kCancelSize);
  pix.fill(ui::PaletteGrey());
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(highlighted ? QColor(120, 0, 0) : QColor(60, 60, 60), 1));
  p.setBrush(highlighted ? QColor(230, 40, 40) : QColor(200, 200, 200));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(highlighted ? Qt::white : QColor(60, 60, 60), 2));
  p.drawLine(QPointF(5, 5), QPointF(11, 11));
  p.drawLine(QPointF(11, 5), QPointF(5, 11));
  return pix;
}

const FilterDecl* FindDialogDecl(const char* dialogClass) {
  for (const FilterDecl* d : AllFilters())
    if (std::strcmp(d->DialogClass, dialogClass) == 0) return d;
  return nullptr;
}

TFormFilter::TFormFilter(const FilterDecl& decl, QWidget* parent) : QDialog(parent), decl_(decl) {
  setObjectName(QString::fromLatin1(decl.DialogClass).mid(1));  // "FormContrast"
  Build();
}

void TFormFilter::Build() {
  ui::MakeToolWindow(this);
  setWindowTitle(QString::fromUtf8(decl_.DialogCaption));
  setMouseTracking(true);

  // Dialogs without a preview are the option column alone.
  const int left = decl_.HasPreview() ? kPanelSize : 0;
  PanelPreview = new QFrame(this);
  PanelPreview->setObjectName(QStringLiteral("PanelPreview"));
  PanelPreview->setFrameShape(QFrame::Panel);
  PanelPreview->setFrameShadow(QFrame::Sunken);
  PanelPreview->setGeometry(0, 0, kPanelSize, kPanelSize);
  ImageViewUser = new ui::ImageControl(PanelPreview);
  ImageViewUser->setObjectName(QStringLiteral("ImageViewUser"));
  const int inset = (kPanelSize - kPreviewSize) / 2;
  ImageViewUser->setGeometry(inset, inset, kPreviewSize, kPreviewSize);
  ImageViewUser->setCursor(Qt::SizeAllCursor);
  ImageViewUser->installEventFilter(this);
  ImageBuf = new ui::ImageControl(this);
  ImageBuf->setObjectName(QStringLiteral("ImageBuf"));
  ImageBuf->hide();
  PanelPreview->setVisible(decl_.HasPreview());

  PanelSlide = new QFrame(this);
  PanelSlide->setObjectName(QStringLiteral("PanelSlide"));
  OSX = new ui::TrackBar(0, 0, 0, PanelSlide);
  OSX->setObjectName(QStringLiteral("OSX"));
  OSY = new ui::TrackBar(0, 0, 0, PanelSlide);
  OSY->setObjectName(QStringLiteral("OSY"));
  PanelSlide->hide();
  connect(OSX, &ui::TrackBar::Changed, this, [this] { ExtractPreviewRegion(OSX->Position(), OSY->Position()); });
  connect(OSY, &ui::TrackBar::Changed, this, [this] { ExtractPreviewRegion(OSX->Position(), OSY->Position()); });

  ScrollBox2 = new QScrollArea(this);
  ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
  ScrollBox2->setFrameShape(QFrame::NoFrame);
  ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* column = new QWidget;
  column->setObjectName(QStringLiteral("OptionColumn"));
  column->setMouseTracking(true);
  column->installEventFilter(this);
  ui::SetBackground(column, ui::PaletteGrey());

  int y = 0;
  if (decl_.HasTryb) {
    Tryb = ui::AddModeRow(column, y, kColumnWidth, QStringLiteral("Tryb:"), "Tryb");
    connect(Tryb, &QComboBox::currentIndexChanged, this, [this] { RunPreview(); });
    y += 32;
  }
  if (decl_.HasTypeBox) {
    TypeBox = ui::AddModeRow(column, y, kColumnWidth, QStringLiteral("Rodzaj:"), "TypeBox");
    connect(TypeBox, &QComboBox::currentIndexChanged, this, [this] { RunPreview(); });
    y += 32;
  }
  y = BuildOwnControls(column, y);
  if (decl_.HasTransparency) {
    QFrame* p = MakePanel(column, y, kRowHeight + 6);
    auto* caption = new QLabel(QStringLiteral("Przezroczystość:"), p);
    caption->setGeometry(8, 3, 180, 14);
    PrzezroczystoscLabel = new QLabel(QStringLiteral("100"), p);
    PrzezroczystoscLabel->setObjectName(QStringLiteral("PrzezroczystoscLabel"));
    PrzezroczystoscLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PrzezroczystoscLabel->setGeometry(200, 3, 72, 14);
    Przezroczystosc = new ui::TrackBar(0, 100, 100, p);
    Przezroczystosc->setObjectName(QStringLiteral("Przezroczystosc"));
    Przezroczystosc->setGeometry(4, 17, kColumnWidth - 8, 19);
    connect(Przezroczystosc, &ui::TrackBar::Changed, this, [this](int v) {
      PrzezroczystoscLabel->setText(QString::number(v));
      RunPreview();
    });
    y += kRowHeight + 8;
  }
  {
    QFrame* p = MakePanel(column, y, 36);
    OK = new QPushButton(QStringLiteral("OK"), p);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setGeometry(8, 5, 126, 26);
    OK->setDefault(true);
    Anuluj = new QPushButton(QStringLiteral("Anuluj"), p);
    Anuluj->setObjectName(QStringLiteral("Anuluj"));
    Anuluj->setGeometry(146, 5, 126, 26);
    connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(Anuluj, &QPushButton::clicked, this, [this] { CancelFilterDialog(); });
    y += 36;
  }
  const int height = decl_.HasPreview() ? std::max(kPanelSize, y) : y;
  column->resize(kColumnWidth, height);
  ScrollBox2->setWidget(column);
  ScrollBox2->setGeometry(left, 0, kColumnWidth, height);

  const int width = left + kColumnWidth;
  Progress = new QProgressBar(this);
  Progress->setObjectName(QStringLiteral("Progress"));
  Progress->setTextVisible(false);
  Progress->setRange(0, 100);
  Progress->setValue(0);
  Progress->setGeometry(0, height, width - kCancelSize - 2, kProgressHeight);
  progress_.Attach(Progress);
  const int cancelTop = height + (kProgressHeight - kCancelSize) / 2;
  Cancel1 = new QLabel(this);
  Cancel1->setObjectName(QStringLiteral("Cancel1"));
  Cancel1->setPixmap(CancelImage(false));
  Cancel1->setGeometry(width - kCancelSize - 1, cancelTop, kCancelSize, kCancelSize);
  Cancel1->setMouseTracking(true);
  Cancel1->installEventFilter(this);
  Cancel2 = new QLabel(this);
  Cancel2->setObjectName(QStringLiteral("Cancel2"));
  Cancel2->setPixmap(CancelImage(true));
  Cancel2->setGeometry(Cancel1->geometry());
  Cancel2->setCursor(Qt::PointingHandCursor);
  Cancel2->setMouseTracking(true);
  Cancel2->installEventFilter(this);
  Cancel2->raise();
  ShowCancel(false, false);

  setFixedSize(width, height + kProgressHeight);
}

int TFormFilter::BuildOwnControls(QWidget* column, int y) {
  // Consecutive controls share a panel; a link box closes the panel of its bars.
  QFrame* panel = nullptr;
  int py = 0;
  auto close = [&] {
    if (!panel) return;
    panel->resize(kColumnWidth, py + 4);
    y += py + 6;
    panel = nullptr;
  };
  for (int i = 0; i < static_cast<int>(decl_.Controls.size()); ++i) {
    const ControlDecl& c = decl_.Controls[static_cast<std::size_t>(i)];
    if (!panel) {
      panel = MakePanel(column, y, 10);
      py = 3;
    }
    switch (c.Kind) {
      case ControlKind::TrackBar: py = AddTrackRow(panel, py, c, i); break;
      case ControlKind::CheckBox:
      case ControlKind::LinkBox: {
        QCheckBox* box = ui::AddCheckRow(panel, py, kColumnWidth, c);
        own_.append({&c, box});
        if (c.Kind == ControlKind::LinkBox)
          connect(box, &QCheckBox::clicked, this, [this, i] { LinkClicked(i); });
        else
          connect(box, &QCheckBox::toggled, this, [this, &c] {
            if (c.Previews) RunPreview();
          });
        py += ui::kCheckRowHeight;
        break;
      }
      case ControlKind::RadioButton: {
        QButtonGroup* group = nullptr;
        for (QButtonGroup* g : radioGroups_)
          if (g->objectName() == QLatin1String(c.Group)) group = g;
        if (!group) {
          group = new QButtonGroup(this);
          group->setObjectName(QString::fromLatin1(c.Group));
          radioGroups_.append(group);
        }
        QRadioButton* radio = ui::AddRadioRow(panel, py, kColumnWidth, c, group);
        if (c.Row < 0) {
          py += ui::kRadioRowHeight;
        } else {
          // A grid: the group's first button reserves the block's rows.
          const bool first = group->buttons().size() == 1;
          int rows = 0, columns = 0;
          bool captions = false;
          for (const ControlDecl& o : decl_.Controls)
            if (o.Kind == ControlKind::RadioButton && std::strcmp(o.Group, c.Group) == 0) {
              rows = std::max(rows, o.Row + 1);
              columns = std::max(columns, o.Column + 1);
              captions |= *o.Caption != '\0';
            }
          if (first) group->setProperty("top", py);
          const int top = group->property("top").toInt();
          // Buttons without captions sit close together, as a compass.
          const int cell = captions ? (kColumnWidth - 16) / columns : 24;
          radio->setGeometry(8 + c.Column * cell, top + c.Row * ui::kRadioRowHeight, captions ? cell - 4 : 20, 20);
          if (first) py = top + rows * ui::kRadioRowHeight;
        }
        own_.append({&c, radio});
        // Only the newly chosen button runs the preview.
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
          if (on) RunPreview();
        });
        break;
      }
    }
    if (c.Kind == ControlKind::LinkBox) close();
  }
  close();
  return y;
}

int TFormFilter::AddTrackRow(QWidget* parent, int y, const ControlDecl& c, int index) {
  const ui::TrackRow row = ui::AddTrackRow(parent, y, kColumnWidth, c);
  own_.append({&c, row.Bar, row.Value});
  connect(row.Bar, &ui::TrackBar::Changed, this, [this, index] { TrackChanged(index); });
  return y + ui::kTrackRowHeight;
}

ui::TrackBar* TFormFilter::Bar(const QString& name) const {
  for (const OwnControl& o : own_)
    if (o.Decl->Kind == ControlKind::TrackBar && name == QLatin1String(o.Decl->Name))
      return static_cast<ui::TrackBar*>(o.Widget);
  return nullptr;
}

QLabel* TFormFilter::ValueLabel(const QString& name) const {
  for (const OwnControl& o : own_)
    if (name == QLatin1String(o.Decl->Name)) return o.Value;
  return nullptr;
}

QCheckBox* TFormFilter::Box(const QString& name) const {
  for (const OwnControl& o : own_)
    if ((o.Decl->Kind == ControlKind::CheckBox || o.Decl->Kind == ControlKind::LinkBox) &&
        name == QLatin1String(o.Decl->Name))
      return static_cast<QCheckBox*>(o.Widget);
  return nullptr;
}

QRadioButton* TFormFilter::Radio(const QString& name) const {
  for (const OwnControl& o : own_)
    if (o.Decl->Kind == ControlKind::RadioButton && name == QLatin1String(o.Decl->Name))
      return static_cast<QRadioButton*>(o.Widget);
  return nullptr;
}

FilterSettings TFormFilter::Settings() const {
  FilterSettings s(decl_);
  for (const OwnControl& o : own_) {
    const std::string_view name = o.Decl->Name;
    switch (o.Decl->Kind) {
      case ControlKind::TrackBar: {
        const auto* bar = static_cast<const ui::TrackBar*>(o.Widget);
        // Widen to both ranges first so that neither end is refused.
        s.SetRange(name, std::min(bar->Min(), s.Min(name)), std::max(bar->Max(), s.Max(name)));
        s.SetRange(name, bar->Min(), bar->Max());
        s.SetPosition(name, bar->Position());
        break;
      }
      case ControlKind::CheckBox:
      case ControlKind::LinkBox:
        s.SetPosition(name, static_cast<const QCheckBox*>(o.Widget)->isChecked() ? 1 : 0);
        break;
      case ControlKind::RadioButton:
        s.SetPosition(name, static_cast<const QRadioButton*>(o.Widget)->isChecked() ? 1 : 0);
        break;
    }
  }
  for (const auto& [name, value] : opening_) s.SetPosition(name.toStdString(), value);
  return s;
}

void TFormFilter::SetOpeningValue(const QString& name, int value) {
  for (auto& o : opening_)
    if (o.first == name) {
      o.second = value;
      return;
    }
  opening_.append({name, value});
}

FilterOperation TFormFilter::Operation() const {
  FilterOperation op(Settings());
  op.Tryb = Tryb ? Tryb->currentIndex() : 0;
  op.TypeBox = TypeBox ? TypeBox->currentIndex() : 0;
  op.Transparency = Przezroczystosc ? Przezroczystosc->Position() : 100;
  op.ActiveChannel = FormCanal ? static_cast<int>(FormCanal->ActiveChannel) : static_cast<int>(kChannelAll);
  return op;
}

void TFormFilter::ApplySettings(const FilterSettings& values) {
  for (const OwnControl& o : own_) {
    const std::string_view name = o.Decl->Name;
    const QSignalBlocker block(o.Widget);
    switch (o.Decl->Kind) {
      case ControlKind::TrackBar: {
        auto* bar = static_cast<ui::TrackBar*>(o.Widget);
        bar->SetRange(std::min(bar->Min(), values.Min(name)), std::max(bar->Max(), values.Max(name)));
        bar->SetRange(values.Min(name), values.Max(name));
        bar->SetPosition(values.Get(name));
        o.Value->setText(QString::number(bar->Position()));
        break;
      }
      case ControlKind::CheckBox:
      case ControlKind::LinkBox: static_cast<QCheckBox*>(o.Widget)->setChecked(values.Get(name) != 0); break;
      case ControlKind::RadioButton:
        if (values.Get(name) != 0) static_cast<QRadioButton*>(o.Widget)->setChecked(true);
        break;
    }
  }
}

void TFormFilter::TrackChanged(int index) {
  const OwnControl& self = own_[index];
  auto* bar = static_cast<ui::TrackBar*>(self.Widget);
  self.Value->setText(QString::number(bar->Position()));
  const char* link = self.Decl->Group;
  QCheckBox* linkBox = *link ? Box(QString::fromLatin1(link)) : nullptr;
  if (!linkBox || !linkBox->isChecked()) {
    RunPreview();
    return;
  }
  // The other bars of the group follow in their order; a bar set to the value
  // it has raises no change, so only the group's last bar runs the preview.
  // When the last bar already had the value, the bar that moved runs it.
  const QList<ui::TrackBar*> group = LinkGroup(link);
  const int runs = previewRuns_;
  ++linkDepth_;
  ui::FollowLinkedBar(group, bar);
  --linkDepth_;
  if (bar == group.back() || (linkDepth_ == 0 && previewRuns_ == runs)) RunPreview();
}

void TFormFilter::LinkClicked(int index) {
  const OwnControl& self = own_[index];
  if (!static_cast<QCheckBox*>(self.Widget)->isChecked()) return;
  const int runs = previewRuns_;
  // A middle bar brought into line runs no preview of its own.
  if (ui::AlignLinkedBars(LinkGroup(self.Decl->Name)) && previewRuns_ == runs) RunPreview();
}

QList<ui::TrackBar*> TFormFilter::LinkGroup(const char* link) const {
  QList<ui::TrackBar*> group;
  for (const OwnControl& o : own_)
    if (o.Decl->Kind == ControlKind::TrackBar && std::strcmp(o.Decl->Group, link) == 0)
      group.append(static_cast<ui::TrackBar*>(o.Widget));
  return group;
}

FilterInputs TFormFilter::Inputs() const {
  FilterInputs in;
  if (FormTools) {
    in.PrimaryColor = FormTools->PrimaryColor();
    in.SecondaryColor = FormTools->SecondaryColor();
  }
  in.Progress = const_cast<CProgressBar*>(&progress_);
  if (decl_.NeedsOverlay() && FormImposition) {
    in.Overlay = &FormImposition->ImPos->Picture();
    in.OverlayMean = TextureMean;
  }
  return in;
}

void TFormFilter::RunPreview() {
  if (running_ || !decl_.HasPreview() || !FormImageHome || ImageBuf->Picture().Empty()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  const Bitmap& src = ImageBuf->Picture();
  Bitmap& dst = ImageViewUser->EditPicture();
  // Pixels a kernel leaves alone (an overlay moved away, a shear's far side)
  // show the picture, as after OK, not the previous preview.
  dst = src;
  const FilterOperation op = Operation();
  KernelContext ctx = FilterContext(op, Inputs(), &doc.WorkImage);
  const QPoint o = PreviewRegionOrigin(OSX->Position(), OSY->Position(), decl_.PreviewHalfSize);
  ctx.PreviewLeft = o.x();
  ctx.PreviewTop = o.y();
  // The overlay's place under the region, as the pan centre gives it.
  ctx.OverlayOffsetX = OSX->Position() - decl_.PreviewHalfSize;
  ctx.OverlayOffsetY = OSY->Position() - decl_.PreviewHalfSize;
  const int t = decl_.HasTransparency ? op.Transparency : 100;
  decl_.Run({Engine(), dst, src, doc.SelectionMask, t, false, src.Width(), src.Height(), ctx}, op.Values);
  ++previewRuns_;
  ImageViewUser->update();
}

void TFormFilter::ExtractPreviewRegion(int cx, int cy) {
  if (!FormImageHome || !decl_.HasPreview()) return;
  const Bitmap& work = FormImageHome->HomeImage.WorkImage;
  const PreviewRect r = PreviewRegion(cx, cy, decl_.PreviewHalfSize, work.Width(), work.Height());
  Bitmap region = work.Copy(r.Left, r.Top, r.Width, r.Height);
  ImageViewUser->SetPicture(region);
  ImageBuf->SetPicture(std::move(region));
}

void TFormFilter::PreparePreview(int width, int height) {
  const int h = decl_.PreviewHalfSize;
  Engine().Cancelled = false;
  if (FormTools) FormTools->CloseToolOptionWindows();
  for (ui::TrackBar* b : {OSX, OSY}) {
    b->SetMin(0);
    b->SetMax(0);
  }
  OSX->SetMax(width - h);
  OSY->SetMax(height - h);
  OSX->SetMin(h);
  OSY->SetMin(h);
  OSX->SetPosition(width / 2);
  OSY->SetPosition(height / 2);
  ExtractPreviewRegion(OSX->Position(), OSY->Position());
}

void TFormFilter::FilterCommand() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  if (decl_.Prepare) {
    FilterSettings values = Settings();
    PrepareOpening(values, doc.Width(), doc.Height());
    ApplySettings(values);
  }
  if (decl_.HasPreview()) {
    PreparePreview(doc.Width(), doc.Height());
    RunPreview();
  }
  ShowCentred();
}

void TFormFilter::ShowCentred() {
  if (decl_.CentredOnScreen && screen()) {
    move(screen()->geometry().center() - QPoint(width() / 2, height() / 2));
  } else if (FormHome) {
    const QRect home = FormHome->geometry();
    move(home.center() - QPoint(width() / 2, height() / 2));
  }
  ui::RunDialog(this);
}

void TFormFilter::DragPreview() {
  const QPoint p = QCursor::pos();
  OSX->SetPosition(OSX->Position() + kDragFactor * (p.x() - anchor_.x()));
  OSY->SetPosition(OSY->Position() + kDragFactor * (p.y() - anchor_.y()));
  QCursor::setPos(anchor_);
  update();
}

QList<QWidget*> TFormFilter::BusyControls() const {
  QList<QWidget*> list;
  for (QWidget* w : {static_cast<QWidget*>(Tryb), static_cast<QWidget*>(TypeBox),
                     static_cast<QWidget*>(ImageViewUser), static_cast<QWidget*>(Przezroczystosc),
                     static_cast<QWidget*>(OK), static_cast<QWidget*>(Anuluj)})
    if (w) list.append(w);
  for (const OwnControl& o : own_) list.append(o.Widget);
  return list;
}

void TFormFilter::ShowCancel(bool normal, bool highlighted) {
  Cancel1->setVisible(normal);
  Cancel2->setVisible(highlighted);
}

void TFormFilter::SetDialogBusy(bool busy) {
  for (QWidget* w : BusyControls()) w->setEnabled(!busy);
  ShowCancel(busy, false);
}

void TFormFilter::Cancel2Click() {
  if (!running_) return;
  Engine().Cancelled = true;
  Progress->setValue(0);
  for (QWidget* w : BusyControls()) w->setEnabled(true);
  ShowCancel(false, false);
}

void TFormFilter::RunFullFilter() {
  CHomeImage& doc = FormImageHome->HomeImage;
  running_ = true;
  RunFilter(Engine(), Operation(), Inputs(), doc.BackupImage, doc.WorkImage, doc.SelectionMask);
  running_ = false;
}

void TFormFilter::OKClick() {
  if (running_ || !FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  CPixelEngine& engine = Engine();
  engine.Cancelled = false;
  SetDialogBusy(true);
  RunFullFilter();
  if (engine.Cancelled) {
    engine.Cancelled = false;
    doc.WorkImage = doc.BackupImage;
    // The row step after the cancel click moved the bar on again.
    Progress->setValue(0);
    ExtractPreviewRegion(OSX->Position(), OSY->Position());
    RunPreview();
    return;
  }
  // A filter that changes the picture's size records it once it has its size.
  std::optional<Bitmap> finished = FinishFilter(Operation(), doc.WorkImage);
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  doc.BackupImage = doc.WorkImage;
  if (FormTools) FormTools->EnableMainUi();
  if (FormHistory && !finished)
    FormHistory->AddHistoryEntry(doc.WorkImage, QString::fromUtf8(decl_.HistoryLabel), doc.Width(), doc.Height());
  if (FormTools) FormTools->CloseToolOptionWindows();
  if (FormHome) FormHome->RestoreCleanDisplay();
  done(QDialog::Accepted);
  Progress->setValue(0);
  SetDialogBusy(false);
  if (finished) FormImageHome->TakeCroppedPicture(std::move(*finished), QString::fromUtf8(decl_.HistoryLabel));
}

void TFormFilter::CancelFilterDialog() {
  if (running_) return;
  if (FormImageHome) {
    CHomeImage& doc = FormImageHome->HomeImage;
    doc.WorkImage = doc.BackupImage;
  }
  done(QDialog::Rejected);
  if (FormTools) {
    FormTools->EnableMainUi();
    FormTools->CloseToolOptionWindows();
  }
}

void TFormFilter::reject() { CancelFilterDialog(); }

void TFormFilter::closeEvent(QCloseEvent* event) {
  // Closing the window during a full run would leave the run writing into a
  // document the dialog no longer owns; it waits for the run or its cancel.
  if (running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TFormFilter::keyPressEvent(QKeyEvent* event) {
  if (running_) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormFilter::mouseMoveEvent(QMouseEvent* event) {
  Cancel2->hide();
  QDialog::mouseMoveEvent(event);
}

bool TFormFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == ImageViewUser && ImageViewUser->isEnabled()) {
    if (type == QEvent::MouseButtonPress) {
      anchor_ = QCursor::pos();
      dragging_ = true;
      DragPreview();
      return true;
    }
    if (type == QEvent::MouseMove && dragging_ &&
        (static_cast<QMouseEvent*>(event)->buttons() & (Qt::LeftButton | Qt::RightButton))) {
      DragPreview();
      return true;
    }
    if (type == QEvent::MouseButtonRelease && dragging_) {
      dragging_ = false;
      RunPreview();
      return true;
    }
  } else if (watched == Cancel1 && type == QEvent::MouseMove) {
    if (Cancel1->isVisible()) Cancel2->show();
    return true;  // not passed on to the dialog, which would hide it again
  } else if (watched == Cancel2 && type == QEvent::MouseMove) {
    return true;
  } else if (watched == Cancel2 && type == QEvent::MouseButtonRelease) {
    Cancel2Click();
    return true;
  } else if (type == QEvent::MouseMove && watched->objectName() == QLatin1String("OptionColumn")) {
    Cancel2->hide();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace rv
