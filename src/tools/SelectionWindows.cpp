#include "tools/SelectionWindows.h"

#include <QEvent>
#include <QLabel>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "tools/SelectionShapes.h"
#include "tools/UnitEllipseSel.h"
#include "tools/UnitMask.h"
#include "tools/UnitRectangleRoundSel.h"
#include "tools/UnitRectangleSel.h"
#include "tools/UnitTextHorzSel.h"
#include "tools/UnitTextVertSel.h"
#include "tools/UnitTools.h"
#include "tools/UnitWand.h"
#include "ui/ControlRows.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

TFormRectangleSel* FormRectangleSel = nullptr;
TFormEllipseSel* FormEllipseSel = nullptr;
TFormRectangleRoundSel* FormRectangleRoundSel = nullptr;
TFormMask* FormMask = nullptr;
TFormWand* FormWand = nullptr;
TFormTextHorzSel* FormTextHorzSel = nullptr;
TFormTextVertSel* FormTextVertSel = nullptr;

namespace {
constexpr int kWidth = 240;
}

TFormSelectionOptions::TFormSelectionOptions(const char* objectName, const char* caption, bool closeBox,
                                             bool refreshOnActivate, QWidget* parent)
    : QWidget(parent), refreshOnActivate_(refreshOnActivate) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(QString::fromUtf8(caption));
  ui::MakeToolWindow(this, closeBox);
  ui::GiveFocusOnHover(this);
}

ui::TrackBar* TFormSelectionOptions::AddBar(const char* name, const char* caption, int min, int max, int position) {
  const ui::TrackRow row = ui::AddTrackRow(this, rowTop_, kWidth, Track(name, caption, min, max, position));
  row.Caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
  QLabel* value = row.Value;
  connect(row.Bar, &ui::TrackBar::Changed, value, [value](int p) { value->setNum(p); });
  rows_.append({QString::fromLatin1(name), row.Bar, value});
  rowTop_ += ui::kTrackRowHeight + 8;
  return row.Bar;
}

ui::TrackBar* TFormSelectionOptions::AddHiddenBar(const char* name) {
  auto* bar = new ui::TrackBar(0, 0, 0, this);
  bar->setObjectName(QString::fromLatin1(name));
  bar->hide();
  rows_.append({QString::fromLatin1(name), bar, nullptr});
  return bar;
}

int TFormSelectionOptions::NextRow(int height) {
  const int top = rowTop_;
  rowTop_ += height + 6;
  return top;
}

int TFormSelectionOptions::ContentWidth() { return kWidth - 16; }

void TFormSelectionOptions::FinishLayout() { setFixedSize(kWidth, rowTop_ + 4); }

ui::TrackBar* TFormSelectionOptions::Bar(const QString& name) const {
  for (const Row& r : rows_)
    if (r.Name == name) return r.Bar;
  return nullptr;
}

QLabel* TFormSelectionOptions::ValueLabel(const QString& name) const {
  for (const Row& r : rows_)
    if (r.Name == name) return r.Value;
  return nullptr;
}

bool TFormSelectionOptions::HasPicture() { return FormImageHome && FormImageHome->HomeImage.HasPicture(); }

CHomeImage& TFormSelectionOptions::Document() { return FormImageHome->HomeImage; }

void TFormSelectionOptions::RepaintDisplay() { FormImageHome->ObrazDlaUsera->update(); }

void TFormSelectionOptions::ToolClick() {
  FormTools->SetInvertMenu(false, true);
  if (ShowsWorkFirst() && HasPicture()) FormImageHome->ShowOnDisplay(Document().WorkImage);
  FormTools->SelectTool(ToolId());
  FormTools->CloseToolOptionWindows();
  FormTools->PlaceOptionWindow(this);
  if (HasPicture()) SetRanges(Document().Width(), Document().Height());
  show();
  Start();
}

void TFormSelectionOptions::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (refreshOnActivate_ && event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome)
    FormHome->RestoreCleanDisplay();
}

void CreateSelectionWindows(QWidget* parent) {
  FormRectangleSel = new TFormRectangleSel(parent);
  FormEllipseSel = new TFormEllipseSel(parent);
  FormRectangleRoundSel = new TFormRectangleRoundSel(parent);
  FormMask = new TFormMask(parent);
  FormWand = new TFormWand(parent);
  FormTextHorzSel = new TFormTextHorzSel(parent);
  FormTextVertSel = new TFormTextVertSel(parent);
  for (TFormSelectionOptions* w : std::initializer_list<TFormSelectionOptions*>{
           FormRectangleSel, FormEllipseSel, FormRectangleRoundSel, FormMask, FormWand, FormTextHorzSel,
           FormTextVertSel}) {
    FormTools->RegisterOptionWindow(w);
    FormTools->ConnectTool(w->ToolId(), [w] { w->ToolClick(); });
    RegisterPointerTarget(w->ToolId(), w);
  }
  FormTools->DrawShapeOutline = [] { DrawCurrentShapeOutline(); };
}

}  // namespace rv
