#include "tools/UnitColor.h"

#include <QLabel>

#include "app/UnitHome.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Shape.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

TFormColor* FormColor = nullptr;

QColor ContrastOutline(const QColor& fill) {
  return (fill.red() + fill.green() + fill.blue()) / 3 >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

TFormColor::TFormColor(QWidget* parent) : QWidget(parent) {
  // The global instance is reachable while the window builds itself.
  FormColor = this;
  setObjectName(QStringLiteral("FormColor"));
  setWindowTitle(QStringLiteral("Kolory"));
  ui::MakeToolWindow(this);
  setFixedSize(218, 100);
  KolorDodatkowy = new ui::Shape(this);
  KolorDodatkowy->setObjectName(QStringLiteral("KolorDodatkowy"));
  KolorDodatkowy->setGeometry(24, 40, 25, 25);
  KolorGlowny = new ui::Shape(this);
  KolorGlowny->setObjectName(QStringLiteral("KolorGlowny"));
  KolorGlowny->setGeometry(8, 24, 25, 25);
  connect(KolorGlowny, &ui::Shape::Pressed, this, [this] { SelectEditedColor(false); });
  connect(KolorDodatkowy, &ui::Shape::Pressed, this, [this] { SelectEditedColor(true); });

  ui::TrackBar** bars[] = {&BarR, &BarG, &BarB};
  QLabel** values[] = {&LR, &LG, &LB};
  ui::ImageControl** strips[] = {&ImageR, &ImageG, &ImageB};
  const char* caps[] = {"R", "G", "B"};
  for (int i = 0; i < 3; ++i) {
    const int top = 6 + 31 * i;
    auto* caption = new QLabel(QString::fromLatin1(caps[i]), this);
    caption->setGeometry(60, top, 12, 18);
    auto* bar = new ui::TrackBar(0, 255, 0, this);
    bar->setObjectName(QStringLiteral("Bar") + QLatin1String(caps[i]));
    bar->setGeometry(72, top, 117, 18);
    auto* value = new QLabel(QStringLiteral("0"), this);
    value->setObjectName(QStringLiteral("L") + QLatin1String(caps[i]));
    value->setGeometry(190, top, 26, 18);
    auto* strip = new ui::ImageControl(this);
    strip->setObjectName(QStringLiteral("Image") + QLatin1String(caps[i]));
    strip->setGeometry(76, top + 19, 109, 6);
    strip->SetPicture(Bitmap(109, 6));
    *bars[i] = bar;
    *values[i] = value;
    *strips[i] = strip;
    connect(bar, &ui::TrackBar::Changed, this, [this, bar] { ApplyBarsColor(bar); });
  }

  if (FormHome) ui::PlaceRightAligned(this, FormHome->width(), 150);
  ui::EnableSnapToWorkArea(this);

  // The start state: black edited as the primary colour, white secondary.
  State.EditSecondary = false;
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(0, 0, 0));
  FormTools->SetToolColor(ToolColor::Secondary, MakePacked(255, 255, 255));
  KolorGlowny->SetPen(Qt::black);
  KolorGlowny->SetPenWidth(3);
  KolorDodatkowy->SetPenWidth(3);
}

void TFormColor::SelectEditedColor(bool secondary) {
  if (secondary == State.EditSecondary) return;
  ui::Shape* edited = secondary ? KolorDodatkowy : KolorGlowny;
  ui::Shape* other = secondary ? KolorGlowny : KolorDodatkowy;
  edited->SetPen(Qt::black);
  other->SetPen(other->Fill());
  State.EditSecondary = secondary;
  const PackedColor c = secondary ? State.SecondaryColor : State.PrimaryColor;
  // The bars only show the newly edited colour; nothing is re-applied.
  for (ui::TrackBar* b : {BarR, BarG, BarB}) b->blockSignals(true);
  BarR->SetPosition(PackedRed(c));
  BarG->SetPosition(PackedGreen(c));
  BarB->SetPosition(PackedBlue(c));
  for (ui::TrackBar* b : {BarR, BarG, BarB}) b->blockSignals(false);
  LR->setNum(BarR->Position());
  LG->setNum(BarG->Position());
  LB->setNum(BarB->Position());
  PaintColorBars(PackedRed(c), PackedGreen(c), PackedBlue(c));
}

void TFormColor::MarkEditedColor() {
  ui::Shape* edited = State.EditSecondary ? KolorDodatkowy : KolorGlowny;
  ui::Shape* other = State.EditSecondary ? KolorGlowny : KolorDodatkowy;
  edited->SetPen(ContrastOutline(edited->Fill()));
  other->SetPen(other->Fill());
  const QColor c = edited->Fill();
  // The bars follow the colour; their own change handler must not re-apply
  // a half-updated colour while they move one after another.
  for (ui::TrackBar* b : {BarR, BarG, BarB}) b->blockSignals(true);
  BarR->SetPosition(c.red());
  BarG->SetPosition(c.green());
  BarB->SetPosition(c.blue());
  for (ui::TrackBar* b : {BarR, BarG, BarB}) b->blockSignals(false);
  LR->setNum(BarR->Position());
  LG->setNum(BarG->Position());
  LB->setNum(BarB->Position());
  PaintColorBars(c.red(), c.green(), c.blue());
}

void TFormColor::ApplyBarsColor(ui::TrackBar* bar) {
  QLabel* label = bar == BarR ? LR : bar == BarG ? LG : LB;
  label->setNum(bar->Position());
  const PackedColor c =
      static_cast<PackedColor>(BarR->Position() + BarG->Position() * 256 + BarB->Position() * 65536);
  FormTools->SetToolColor(State.EditSecondary ? ToolColor::Secondary : ToolColor::Primary, c);
}

void TFormColor::PaintColorBars(int r, int g, int b) {
  Bitmap& sr = ImageR->EditPicture();
  Bitmap& sg = ImageG->EditPicture();
  Bitmap& sb = ImageB->EditPicture();
  const int width = sr.Width();
  for (int y = 0; y < sr.Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const int d = (x * 100 / width) * 255 / 100;
      sr.Set(x, y, MakePixel(d, g, b));
      sg.Set(x, y, MakePixel(r, d, b));
      sb.Set(x, y, MakePixel(r, g, d));
    }
  }
  ImageR->update();
  ImageG->update();
  ImageB->update();
}

}  // namespace rv
