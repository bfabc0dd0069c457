#include "tools/UnitBrushOptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

#include <cstring>

#include "app/UnitHome.h"
#include "tools/BrushSettings.h"
#include "tools/UnitTools.h"
#include "ui/ControlRows.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

TFormBrush* FormBrush = nullptr;
TFormSpray* FormSpray = nullptr;
TFormColorChange* FormColorChange = nullptr;
TFormEnlight* FormEnlight = nullptr;
TFormDarker* FormDarker = nullptr;
TFormSharp* FormSharp = nullptr;
TFormGray* FormGray = nullptr;
TFormBrushHistory* FormBrushHistory = nullptr;
TFormBlur* FormBlur = nullptr;
TFormColorBrush* FormColorBrush = nullptr;
TFormRedEye* FormRedEye = nullptr;
TFormCorrectionBrush* FormCorrectionBrush = nullptr;
TFormBucket* FormBucket = nullptr;
TFormStamp* FormStamp = nullptr;

namespace {

constexpr int kWidth = 250;

QList<TFormBrushOptions*>& Windows() {
  static QList<TFormBrushOptions*> list;
  return list;
}

// Controls that share a panel: free track bars, a linked group with its box
// (the box ends the panel), one radio group, one check box.
const char* PanelKey(const ControlDecl& c) {
  switch (c.Kind) {
    case ControlKind::TrackBar:
    case ControlKind::RadioButton: return c.Group;
    case ControlKind::CheckBox:
    case ControlKind::LinkBox: return c.Name;
  }
  return "";
}

}  // namespace

TFormBrushOptions::TFormBrushOptions(const BrushToolDecl& decl, QWidget* parent) : QWidget(parent), decl_(decl) {
  setObjectName(QString::fromLatin1(decl.WindowClass).mid(1));  // "FormBrush"
  Build();
  // The window and the values the dabs read start alike.
  for (const Control& c : controls_) {
    if (c.Value) SetBrushValue(ToolId(), c.Decl->Name, static_cast<ui::TrackBar*>(c.Widget)->Position());
    else if (auto* box = qobject_cast<QCheckBox*>(c.Widget)) SetBrushValue(ToolId(), c.Decl->Name, box->isChecked());
    else if (auto* radio = qobject_cast<QRadioButton*>(c.Widget); radio && radio->isChecked())
      SetBrushValue(ToolId(), c.Decl->Name, 1);
  }
  if (Tryb) SetBrushValue(ToolId(), "Tryb", Tryb->currentIndex());
  if (TypeBox) SetBrushValue(ToolId(), "TypeBox", TypeBox->currentIndex());
}

void TFormBrushOptions::Build() {
  ui::MakeToolWindow(this, true);
  setWindowTitle(QString::fromUtf8(decl_.Caption));
  ui::GiveFocusOnHover(this);
  int y = 0;
  const int id = ToolId();
  if (decl_.HasTryb) {
    Tryb = ui::AddModeRow(this, y, kWidth, QStringLiteral("Tryb:"), "Tryb");
    connect(Tryb, &QComboBox::currentIndexChanged, this, [id](int i) { SetBrushValue(id, "Tryb", i); });
    panels_.append(static_cast<QFrame*>(Tryb->parentWidget()));
    y += ui::kModeRowHeight + 2;
  }
  if (decl_.HasTypeBox) {
    TypeBox = ui::AddModeRow(this, y, kWidth, QStringLiteral("Rodzaj:"), "TypeBox");
    connect(TypeBox, &QComboBox::currentIndexChanged, this, [id](int i) { SetBrushValue(id, "TypeBox", i); });
    panels_.append(static_cast<QFrame*>(TypeBox->parentWidget()));
    y += ui::kModeRowHeight + 2;
  }

  QFrame* panel = nullptr;
  const char* key = nullptr;
  int py = 0;
  auto close = [&] {
    if (!panel) return;
    panel->resize(kWidth, py + 4);
    y += py + 6;
    panel = nullptr;
  };
  QButtonGroup* group = nullptr;
  for (const ControlDecl& c : decl_.Controls) {
    if (!panel || std::strcmp(PanelKey(c), key) != 0) {
      close();
      panel = ui::MakeRaisedPanel(this, y, kWidth, 10);
      panels_.append(panel);
      key = PanelKey(c);
      group = nullptr;
      py = 3;
    }
    switch (c.Kind) {
      case ControlKind::TrackBar: {
        const ui::TrackRow row = ui::AddTrackRow(panel, py, kWidth, c);
        controls_.append({&c, row.Bar, row.Value});
        connect(row.Bar, &ui::TrackBar::Changed, this,
                [this, i = controls_.size() - 1] { TrackChanged(controls_[i]); });
        py += ui::kTrackRowHeight;
        break;
      }
      case ControlKind::CheckBox:
      case ControlKind::LinkBox: {
        QCheckBox* box = ui::AddCheckRow(panel, py, kWidth, c);
        controls_.append({&c, box});
        connect(box, &QCheckBox::toggled, this, [id, n = c.Name](bool on) { SetBrushValue(id, n, on); });
        py += ui::kCheckRowHeight;
        break;
      }
      case ControlKind::RadioButton: {
        if (!group) {
          group = new QButtonGroup(panel);
          group->setObjectName(QString::fromLatin1(c.Group));
        }
        QRadioButton* radio = ui::AddRadioRow(panel, py, kWidth, c, group);
        controls_.append({&c, radio});
        connect(radio, &QRadioButton::toggled, this, [id, n = c.Name](bool on) {
          if (on) SetBrushValue(id, n, 1);
        });
        py += ui::kRadioRowHeight;
        break;
      }
    }
    if (c.Kind == ControlKind::LinkBox) close();
  }
  close();
  for (QFrame* p : panels_) ui::GiveFocusOnHover(p);
  setFixedSize(kWidth, y - 2);
}

void TFormBrushOptions::TrackChanged(const Control& c) {
  auto* bar = static_cast<ui::TrackBar*>(c.Widget);
  c.Value->setText(QString::number(bar->Position()));
  SetBrushValue(ToolId(), c.Decl->Name, bar->Position());
  const char* link = c.Decl->Group;
  if (!*link) return;
  if (QCheckBox* box = Box(QString::fromLatin1(link)); box && box->isChecked())
    ui::FollowLinkedBar(LinkGroup(link), bar);
}

QList<ui::TrackBar*> TFormBrushOptions::LinkGroup(const char* link) const {
  QList<ui::TrackBar*> group;
  for (const Control& c : controls_)
    if (c.Decl->Kind == ControlKind::TrackBar && std::strcmp(c.Decl->Group, link) == 0)
      group.append(static_cast<ui::TrackBar*>(c.Widget));
  return group;
}

const TFormBrushOptions::Control* TFormBrushOptions::Find(const QString& name, ControlKind kind) const {
  for (const Control& c : controls_) {
    const bool kindMatches =
        c.Decl->Kind == kind || (kind == ControlKind::CheckBox && c.Decl->Kind == ControlKind::LinkBox);
    if (kindMatches && name == QLatin1String(c.Decl->Name)) return &c;
  }
  return nullptr;
}

ui::TrackBar* TFormBrushOptions::Bar(const QString& name) const {
  const Control* c = Find(name, ControlKind::TrackBar);
  return c ? static_cast<ui::TrackBar*>(c->Widget) : nullptr;
}

QLabel* TFormBrushOptions::ValueLabel(const QString& name) const {
  const Control* c = Find(name, ControlKind::TrackBar);
  return c ? c->Value : nullptr;
}

QCheckBox* TFormBrushOptions::Box(const QString& name) const {
  const Control* c = Find(name, ControlKind::CheckBox);
  return c ? static_cast<QCheckBox*>(c->Widget) : nullptr;
}

QRadioButton* TFormBrushOptions::Radio(const QString& name) const {
  const Control* c = Find(name, ControlKind::RadioButton);
  return c ? static_cast<QRadioButton*>(c->Widget) : nullptr;
}

void TFormBrushOptions::ToolClick() {
  FormTools->SelectTool(ToolId());
  FormTools->CloseToolOptionWindows();
  FormTools->PlaceOptionWindow(this);
  show();
  if (ToolId() == kToolStamp) FormTools->StampSourceSet = false;
}

void TFormBrushOptions::ShowValue(const char* name, int value) {
  ui::TrackBar* bar = Bar(QString::fromLatin1(name));
  if (!bar) return;
  bar->SetPosition(value);
  ValueLabel(QString::fromLatin1(name))->setText(QString::number(bar->Position()));
}

void TFormBrushOptions::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Coming to the window removes the brush outline left on the picture.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome) FormHome->RestoreCleanDisplay();
}

namespace {

template <class T>
void Create(T*& global, int toolId, QWidget* parent) {
  global = new T(*FindBrushTool(toolId), parent);
  TFormBrushOptions* w = global;
  Windows().append(w);
  if (FormTools) {
    FormTools->RegisterOptionWindow(w);
    FormTools->ConnectTool(toolId, [w] { w->ToolClick(); });
  }
}

}  // namespace

void CreateBrushOptionWindows(QWidget* parent) {
  Create(FormBrush, kToolBrush, parent);
  Create(FormSpray, kToolSpray, parent);
  Create(FormColorChange, kToolColorChange, parent);
  Create(FormEnlight, kToolEnlight, parent);
  Create(FormDarker, kToolDarker, parent);
  Create(FormSharp, kToolSharp, parent);
  Create(FormGray, kToolGray, parent);
  Create(FormBrushHistory, kToolBrushHistory, parent);
  Create(FormBlur, kToolBlur, parent);
  Create(FormColorBrush, kToolColorBrush, parent);
  Create(FormRedEye, kToolRedEye, parent);
  Create(FormCorrectionBrush, kToolCorrectionBrush, parent);
  Create(FormBucket, kToolBucket, parent);
  Create(FormStamp, kToolStamp, parent);
  SetBrushControlListener([](int toolId, const char* name, int value) {
    if (TFormBrushOptions* w = BrushOptionWindow(toolId)) w->ShowValue(name, value);
  });
}

TFormBrushOptions* BrushOptionWindow(int toolId) {
  for (TFormBrushOptions* w : Windows())
    if (w->ToolId() == toolId) return w;
  return nullptr;
}

}  // namespace rv
