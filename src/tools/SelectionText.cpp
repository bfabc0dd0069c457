#include "tools/SelectionText.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/UnitImageHome.h"
#include "tools/TextRaster.h"
#include "tools/UnitTools.h"
#include "tools/core/Selection.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {

TFormTextSel::TFormTextSel(bool vertical, const char* objectName, const char* caption, QWidget* parent)
    : TFormSelectionOptions(objectName, caption, true, true, parent), Font(DefaultToolFont()), vertical_(vertical) {
  OSX = AddHiddenBar("OSX");
  OSY = AddHiddenBar("OSY");
  auto* label = new QLabel(QStringLiteral("Tekst:"), this);
  label->setGeometry(8, NextRow(14), 120, 14);
  Text = new QLineEdit(this);
  Text->setObjectName(QStringLiteral("Text"));
  Text->setGeometry(8, NextRow(22), ContentWidth(), 22);
  Text->installEventFilter(this);
  UstawCzcionke = new QPushButton(QStringLiteral("Ustaw czcionkę"), this);
  UstawCzcionke->setObjectName(QStringLiteral("UstawCzcionke"));
  UstawCzcionke->setGeometry(8, NextRow(24), ContentWidth(), 24);
  Sila = AddBar("Sila", "Sila:", 0, 100, 100);
  Run = AddBar("Run", "Przesunięcie:", 1, 1000, 200);
  if (!vertical_) {
    RunCheck = new QCheckBox(QStringLiteral("Ustaw szerokość"), this);
    RunCheck->setObjectName(QStringLiteral("RunCheck"));
    RunCheck->setGeometry(8, NextRow(20), ContentWidth(), 20);
    Run->setEnabled(false);
    connect(RunCheck, &QCheckBox::toggled, this, [this](bool ticked) {
      Run->setEnabled(ticked);
      CommitSelectionShape();
    });
  }
  FinishLayout();
  connect(UstawCzcionke, &QPushButton::clicked, this, [this] { UstawCzcionkeClick(); });
  connect(OSY, &ui::TrackBar::Changed, this, [this] {
    if (!quiet_) PreviewText();
  });
  connect(Sila, &ui::TrackBar::Changed, this, [this] { CommitSelectionShape(); });
  connect(Run, &ui::TrackBar::Changed, this, [this] { CommitSelectionShape(); });
}

int TFormTextSel::ToolId() const { return vertical_ ? kToolTextVertSel : kToolTextHorzSel; }

ToolText TFormTextSel::CurrentText() const {
  ToolText t;
  t.Text = Text->text();
  t.Font = Font;
  t.Vertical = vertical_;
  t.CharacterByCharacter = RunCheck && RunCheck->isChecked();
  t.Run = Run->Position();
  return t;
}

void TFormTextSel::SetRanges(int width, int height) {
  quiet_ = true;
  const int low = TextOriginMinimum(Font);
  OSX->SetRange(low, width);
  OSY->SetRange(low, height);
  quiet_ = false;
}

void TFormTextSel::Start() {
  FormTools->SelectionKind = static_cast<std::uint8_t>(vertical_ ? kSelectionTextVert : kSelectionTextHorz);
  CommitSelectionShape();
}

Bitmap TFormTextSel::DrawnText() const {
  const CHomeImage& doc = Document();
  Bitmap drawn = doc.BackupImage;
  DrawToolText(drawn, CurrentText(), QPoint(OSX->Position(), OSY->Position()), ToQColor(FormTools->PrimaryColor()));
  return drawn;
}

void TFormTextSel::CommitSelectionShape() {
  if (!HasPicture()) return;
  FormTools->SetInvertMenu(false, true);
  CHomeImage& doc = Document();
  Bitmap drawn = DrawnText();
  MaskFromChange(drawn, doc.BackupImage, Sila->Position(), doc.SelectionMask);
  FormImageHome->ObrazDlaUsera->SetPicture(std::move(drawn));
  FormTools->SelectionKind = static_cast<std::uint8_t>(vertical_ ? kSelectionTextVert : kSelectionTextHorz);
  FormTools->SetInvertMenu(false, true);
}

void TFormTextSel::PreviewText() {
  if (!HasPicture()) return;
  FormImageHome->ObrazDlaUsera->SetPicture(DrawnText());
}

void TFormTextSel::UstawCzcionkeClick() {
  const std::optional<QFont> chosen = ChooseToolFont(this, Font);
  if (!chosen) return;
  Font = *chosen;
  const int low = TextOriginMinimum(Font);
  quiet_ = true;
  OSX->SetMin(low);
  OSY->SetMin(low);
  quiet_ = false;
  CommitSelectionShape();
}

void TFormTextSel::MoveOrigin(QPoint p) {
  OSX->SetPosition(p.x());
  OSY->SetPosition(p.y());
}

void TFormTextSel::Press(const PointerEvent& e) { MoveOrigin(e.Picture); }

void TFormTextSel::Drag(const PointerEvent& e) { MoveOrigin(e.Picture); }

void TFormTextSel::Release(const PointerEvent&) { CommitSelectionShape(); }

void TFormTextSel::Wheel(int step, bool ctrl) {
  ui::TrackBar* bar = ctrl ? Run : Sila;
  bar->SetPosition(bar->Position() + step);
}

bool TFormTextSel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text && event->type() == QEvent::KeyRelease) CommitSelectionShape();
  return TFormSelectionOptions::eventFilter(watched, event);
}

}  // namespace rv
