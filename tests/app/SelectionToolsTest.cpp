// The selection tools' option windows on the offscreen platform: their
// controls, the icon clicks, the shapes, the wand, the mask brush, the invert
// item, and a filter run from its dialog acting on the selection only.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QLabel>
#include <QPushButton>

#include <cmath>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/FilterDialogs.h"
#include "history/UnitHistory.h"
#include "support/FilterTestSupport.h"
#include "tools/PointerTarget.h"
#include "tools/SelectionShapes.h"
#include "tools/UnitEllipseSel.h"
#include "tools/UnitMask.h"
#include "tools/UnitRectangleRoundSel.h"
#include "tools/UnitRectangleSel.h"
#include "tools/TextRaster.h"
#include "tools/UnitTextHorzSel.h"
#include "tools/UnitTextVertSel.h"
#include "tools/UnitTools.h"
#include "tools/UnitWand.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }

void OpenPicture(const Bitmap& picture) {
  CHomeImage& doc = Doc();
  doc.AssignPicture(picture, QStringLiteral("test.bmp"));
  doc.AllocateMask();
  FormImageHome->ShowOnDisplay(picture);
  FormHome->SetInvertTick(false);
}

Bitmap Gradient(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, MakePixel(x * 4 & 255, y * 6 & 255, (x + y) & 255));
  return b;
}

void Click(int toolId) {
  const ToolSlot* s = FormTools->Slot(toolId);
  ASSERT_TRUE(s && s->Click) << toolId;
  s->Click();
}

PointerEvent At(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
  PointerEvent e;
  e.Display = e.Picture = QPoint(x, y);
  e.Button = button;
  e.Held = button;
  return e;
}

// Press at a, drag to b, release, through the tool's pointer target.
void Stroke(int toolId, QPoint a, QPoint b) {
  PointerTarget* t = FindPointerTarget(toolId);
  ASSERT_NE(t, nullptr);
  t->Press(At(a.x(), a.y()));
  t->Drag(At(b.x(), b.y()));
  t->Release(At(b.x(), b.y()));
}

bool InvertItemEnabled() {
  const QList<QAction*> items = FormHome->Menus().ItemsFor(QStringLiteral("InvertSelection"));
  if (items.isEmpty()) return false;
  for (QAction* a : items)
    if (!a->isEnabled()) return false;
  return true;
}

int CountSelected(const SelectionMask& m, int value) {
  int n = 0;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) n += m.At(x, y) == value;
  return n;
}

TEST(SelectionWindows, ControlsCaptionsAndIcons) {
  struct Bar {
    const char* Name;
    int Min, Max, Position;
    bool Shown;
  };
  struct Case {
    int ToolId;
    TFormSelectionOptions* Window;
    const char* Caption;
    bool CloseBox;
    std::vector<Bar> Bars;
  };
  const std::vector<Bar> corners = {{"OSX", 0, 0, 0, false}, {"OSY", 0, 0, 0, false}, {"OSX2", 0, 0, 0, false},
                                    {"OSY2", 0, 0, 0, false}, {"Transparent", 0, 100, 100, true}};
  std::vector<Bar> rounded = corners;
  rounded.push_back({"OSX3", 0, 100, 0, true});
  rounded.push_back({"OSY3", 0, 100, 0, true});
  const std::vector<Bar> text = {{"OSX", 0, 0, 0, false}, {"OSY", 0, 0, 0, false}, {"Sila", 0, 100, 100, true},
                                 {"Run", 1, 1000, 200, true}};
  const Case cases[] = {
      {1, FormRectangleSel, "Zaznaczanie prostokątne", false, corners},
      {2, FormEllipseSel, "Zaznaczanie eliptyczne", false, corners},
      {4, FormRectangleRoundSel, "Zaznaczenie prostokątne zaokrąglone", false, rounded},
      {3, FormWand, "Opcje różdżki", false, {{"Tolerant", 1, 800, 200, true}, {"Sila", 0, 100, 100, true}}},
      {36, FormMask, "Opcje maski", true,
       {{"Wielkosc", 1, 150, 75, true}, {"Twardosc", 0, 100, 1, true}, {"Przezroczystosc", 0, 100, 100, true}}},
      {14, FormTextHorzSel, "Opcje maski tekstu poziomego", true, text},
      {15, FormTextVertSel, "Opcje maski tekstu pionowego", true, text},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.Window, nullptr) << c.Caption;
    EXPECT_EQ(c.Window->windowTitle(), QString::fromUtf8(c.Caption));
    EXPECT_EQ(bool(c.Window->windowFlags() & Qt::WindowCloseButtonHint), c.CloseBox) << c.Caption;
    EXPECT_TRUE(c.Window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(FormTools->Slot(c.ToolId)->Icon->isEnabled()) << c.ToolId;
    EXPECT_EQ(FindPointerTarget(c.ToolId), static_cast<PointerTarget*>(c.Window));
    for (const Bar& b : c.Bars) {
      ui::TrackBar* bar = c.Window->Bar(QString::fromLatin1(b.Name));
      ASSERT_NE(bar, nullptr) << c.Caption << " " << b.Name;
      EXPECT_EQ(bar->Min(), b.Min) << b.Name;
      EXPECT_EQ(bar->Max(), b.Max) << b.Name;
      EXPECT_EQ(bar->Position(), b.Position) << b.Name;
      EXPECT_EQ(bar->isHidden(), !b.Shown) << b.Name;
      if (b.Shown) {
        QLabel* value = c.Window->ValueLabel(QString::fromLatin1(b.Name));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->text(), QString::number(b.Position));
        bar->SetPosition(b.Min);
        EXPECT_EQ(value->text(), QString::number(b.Min));
        bar->SetPosition(b.Position);
      }
    }
  }
  // "Ustaw szerokość" only on the horizontal mask; the advance is enabled only while it is ticked.
  ASSERT_NE(FormTextHorzSel->RunCheck, nullptr);
  EXPECT_EQ(FormTextHorzSel->RunCheck->text(), QStringLiteral("Ustaw szerokość"));
  EXPECT_FALSE(FormTextHorzSel->RunCheck->isChecked());
  EXPECT_FALSE(FormTextHorzSel->Run->isEnabled());
  EXPECT_EQ(FormTextVertSel->RunCheck, nullptr);
  EXPECT_TRUE(FormTextVertSel->Run->isEnabled());
  EXPECT_EQ(FormTextHorzSel->UstawCzcionke->text(), QStringLiteral("Ustaw czcionkę"));
  EXPECT_EQ(FormMask->findChild<QLabel*>(QStringLiteral("PrzezroczystoscCaption"))->text(), QStringLiteral("Moc:"));
  EXPECT_EQ(FormRectangleSel->findChild<QLabel*>(QStringLiteral("TransparentCaption"))->text(),
            QStringLiteral("Moc:"));
}

TEST(SelectionWindows, PickingAToolPlacesItsWindowAndClosesTheOthers) {
  OpenPicture(Gradient(60, 40));
  Click(36);
  EXPECT_TRUE(FormMask->isVisible());
  Click(1);
  EXPECT_EQ(FormTools->ToolId, 1);
  EXPECT_FALSE(FormMask->isVisible());
  EXPECT_TRUE(FormRectangleSel->isVisible());
  EXPECT_EQ(FormRectangleSel->pos(),
            QPoint(FormTools->x() + FormTools->width(), FormTools->y() + FormTools->height() / 2));
  EXPECT_EQ(FormRectangleSel->OSX->Max(), 60);
  EXPECT_EQ(FormRectangleSel->OSY2->Max(), 40);
  EXPECT_EQ(FormTools->SelectionKind, 1);
  EXPECT_TRUE(InvertItemEnabled());
  Click(0);
  EXPECT_FALSE(FormRectangleSel->isVisible());
  EXPECT_FALSE(InvertItemEnabled());
}

TEST(RectangleSelection, CoverageStrengthAndReversedCorners) {
  const Bitmap pic = Gradient(30, 20);
  OpenPicture(pic);
  Click(1);
  FormRectangleSel->Transparent->SetPosition(60);
  for (const auto& [a, b] : {std::pair{QPoint(10, 10), QPoint(20, 15)}, std::pair{QPoint(20, 15), QPoint(10, 10)}}) {
    Doc().SelectionMask.Fill(100);
    Stroke(1, a, b);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) {
        const bool inside = x >= 10 && x < 20 && y >= 10 && y < 15;
        ASSERT_EQ(Doc().SelectionMask.At(x, y), inside ? 60 : 0) << x << "," << y;
      }
    EXPECT_EQ(Doc().WorkImage, pic) << "the black and white are gone";
    EXPECT_EQ(FormTools->SelectionKind, 1);
    const QLine c = CurrentShapeCorners();  // what copying crops to
    EXPECT_EQ(OrderedBox(c.x1(), c.y1(), c.x2(), c.y2()), (SelectionBox{10, 10, 20, 15}));
  }
  // A new strength re-selects the same rectangle at once, the picture untouched.
  FormRectangleSel->Transparent->SetPosition(25);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 25), 50);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 0), 600 - 50);
  EXPECT_EQ(Doc().WorkImage, pic);
  EXPECT_EQ(Doc().BackupImage, pic);
  // The wheel steps the strength by 4, with or without Ctrl.
  FindPointerTarget(1)->Wheel(4, false);
  FindPointerTarget(1)->Wheel(-4, true);
  FindPointerTarget(1)->Wheel(4, true);
  EXPECT_EQ(FormRectangleSel->Transparent->Position(), 29);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 29), 50);
  FormRectangleSel->Transparent->SetPosition(100);
}

TEST(RectangleSelection, RightButtonSetsTheSecondCornerAndPickingSelectsTheLastShape) {
  OpenPicture(Gradient(50, 50));
  Click(1);
  PointerTarget* t = FindPointerTarget(1);
  t->Press(At(5, 6));
  t->Press(At(9, 16, Qt::RightButton));
  t->Release(At(9, 16, Qt::RightButton));
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 100), 4 * 10);
  // Picking the tool again on a smaller picture clamps the corners.
  Click(0);
  OpenPicture(Gradient(8, 12));
  Click(1);
  EXPECT_EQ(FormRectangleSel->OSX2->Position(), 8);
  EXPECT_EQ(FormRectangleSel->OSY2->Position(), 12);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 100), 3 * 6);  // x 5..7, y 6..11
}

// Ellipse and rounded rectangle: inside their box, symmetric, about the
// area of the shape; the rounded one with no rounding is the rectangle.
TEST(ShapeSelection, EllipseAndRoundedCoverage) {
  OpenPicture(Gradient(120, 90));
  struct Case {
    int ToolId;
    int RoundX, RoundY;
    double Area;  // expected share of the box
  } cases[] = {{2, 0, 0, M_PI / 4}, {4, 0, 0, 1.0}, {4, 40, 30, 1.0 - (1 - M_PI / 4) * (40.0 * 30) / (80 * 60)}};
  for (const Case& c : cases) {
    Click(c.ToolId);
    TFormShapeSel* w = c.ToolId == 2 ? static_cast<TFormShapeSel*>(FormEllipseSel) : FormRectangleRoundSel;
    ASSERT_NE(w, nullptr);
    if (w->OSX3) {
      EXPECT_EQ(w->OSX3->Max(), 120);  // picked: 0..W, 0..H, at the half
      EXPECT_EQ(w->OSX3->Position(), 60);
      EXPECT_EQ(w->OSY3->Position(), 45);
      w->OSX3->SetPosition(c.RoundX);
      w->OSY3->SetPosition(c.RoundY);
    }
    Stroke(c.ToolId, QPoint(20, 15), QPoint(100, 75));
    const SelectionMask& m = Doc().SelectionMask;
    int inside = 0, x0 = 1000, x1 = -1, y0 = 1000, y1 = -1;
    for (int y = 0; y < 90; ++y)
      for (int x = 0; x < 120; ++x) {
        if (m.At(x, y) == 0) continue;
        ASSERT_EQ(m.At(x, y), 100);
        ++inside;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
    EXPECT_EQ(x0, 20) << c.ToolId;
    EXPECT_EQ(x1, 99) << c.ToolId;
    EXPECT_EQ(y0, 15) << c.ToolId;
    EXPECT_EQ(y1, 74) << c.ToolId;
    EXPECT_NEAR(inside / (80.0 * 60.0), c.Area, 0.03) << c.ToolId << " " << c.RoundX;
    // Mirror symmetry about the box's centre lines.
    int asymmetric = 0;
    for (int y = 15; y < 75; ++y)
      for (int x = 20; x < 100; ++x) asymmetric += (m.At(x, y) != 0) != (m.At(119 - x, y) != 0);
    EXPECT_LE(asymmetric, 60 * 2) << c.ToolId;
    EXPECT_EQ(FormTools->SelectionKind, c.ToolId == 2 ? 2 : 3);
  }
}

TEST(ShapeSelection, OutlineIsDashedOnTheDisplayOnly) {
  const Bitmap pic(64, 48, MakePixel(250, 250, 250));
  OpenPicture(pic);
  Click(1);
  PointerTarget* t = FindPointerTarget(1);
  t->Press(At(10, 10));
  t->Drag(At(40, 30));
  const Bitmap& shown = FormImageHome->ObrazDlaUsera->Picture();
  EXPECT_EQ(Doc().WorkImage, pic);
  // Over a bright picture the outline is black, on the rectangle's edges only.
  int black = 0, white = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool edge = ((x == 10 || x == 39) && y >= 10 && y <= 29) || ((y == 10 || y == 29) && x >= 10 && x <= 39);
      const Pixel p = shown.At(x, y) & 0xFFFFFFu;
      if (!edge) {
        ASSERT_EQ(p, pic.At(x, y) & 0xFFFFFFu) << x << "," << y;
      } else {
        black += p == 0u;
        white += p == (pic.At(x, y) & 0xFFFFFFu);
      }
    }
  EXPECT_GT(black, 20);
  EXPECT_GT(white, 5) << "dashed";
  // The main window's refresh draws it again after the display was cleaned.
  FormHome->PointerOverPicture = true;
  FormHome->RestoreCleanDisplay();
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture(), pic);
  // A drag along x alone moves the outline too.
  t->Drag(At(50, 30));
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture().At(39, 20), pic.At(39, 20));
  int onNewEdge = 0;
  for (int y = 10; y < 30; ++y) onNewEdge += FormImageHome->ObrazDlaUsera->Picture().At(49, y) != pic.At(49, y);
  EXPECT_GT(onNewEdge, 5);
  t->Release(At(50, 30));
}

TEST(ShapeSelection, InvertAfterARectangle) {
  OpenPicture(Gradient(40, 40));
  Click(1);
  FormRectangleSel->Transparent->SetPosition(70);
  Stroke(1, QPoint(5, 5), QPoint(15, 15));
  ASSERT_TRUE(InvertItemEnabled());
  FormHome->Menus().Run(QStringLiteral("InvertSelection"));
  EXPECT_TRUE(FormHome->InvertTicked());
  EXPECT_EQ(Doc().SelectionMask.At(6, 6), 30);
  EXPECT_EQ(Doc().SelectionMask.At(30, 30), 100);
  // The frame: the picture is 40 wide, so the pen is the thinnest; its corner pixel differs.
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture().At(0, 20), Doc().WorkImage.At(0, 20));
  // A new selection drops the tick and keeps the item enabled.
  Stroke(1, QPoint(5, 5), QPoint(15, 15));
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_TRUE(InvertItemEnabled());
  EXPECT_EQ(Doc().SelectionMask.At(6, 6), 70);
  FormRectangleSel->Transparent->SetPosition(100);
}

TEST(WandWindow, ToleranceStrengthAndPreview) {
  Bitmap pic(20, 10, MakePixel(100, 100, 100));
  pic.Set(3, 3, MakePixel(101, 100, 100));
  pic.Set(4, 4, MakePixel(140, 100, 100));
  pic.Set(15, 8, MakePixel(10, 20, 30));
  pic.Set(18, 1, MakePixel(10, 20, 30));
  OpenPicture(pic);
  Click(3);
  EXPECT_EQ(FormTools->SelectionKind, 4);
  ASSERT_EQ(FormWand->Podglad->Picture(), pic);
  FormWand->Tolerant->SetPosition(1);
  FindPointerTarget(3)->Press(At(15, 8, Qt::RightButton));
  const SelectionMask& m = Doc().SelectionMask;
  EXPECT_EQ(m.At(15, 8), 100);
  EXPECT_EQ(m.At(18, 1), 100) << "not only the connected region";
  EXPECT_EQ(CountSelected(m, 100), 2);
  EXPECT_EQ(CountSelected(m, 0), 198);
  EXPECT_EQ(FormWand->Podglad->Picture().At(18, 1) & 0xFFFFFFu, MakePixel(255, 0, 0) & 0xFFFFFFu);
  EXPECT_EQ(FormWand->Podglad->Picture().At(0, 0), pic.At(0, 0));
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), pic) << "the wand leaves the display alone";
  EXPECT_TRUE(InvertItemEnabled());
  // Tolerance 200, strength 40: q = diff / 2; q >= 40 gives 0.
  FormWand->Tolerant->SetPosition(200);
  FormWand->Sila->SetPosition(40);
  FindPointerTarget(3)->Press(At(0, 0));
  EXPECT_EQ(m.At(0, 0), 40);
  EXPECT_EQ(m.At(3, 3), 40);  // q = 0
  EXPECT_EQ(m.At(4, 4), 20);  // q = 20
  EXPECT_EQ(m.At(15, 8), 0);
  // Moving the sliders changes nothing until the next click; the wheel steps the tolerance.
  FormWand->Sila->SetPosition(100);
  EXPECT_EQ(m.At(0, 0), 40);
  FindPointerTarget(3)->Wheel(-4, true);
  EXPECT_EQ(FormWand->Tolerant->Position(), 196);
  FormWand->Tolerant->SetPosition(200);
}

TEST(MaskWindow, PickClearsDabsPaintAndReleaseRestores) {
  const Bitmap pic(80, 60, MakePixel(0, 200, 0));
  OpenPicture(pic);
  Click(36);
  EXPECT_EQ(FormTools->SelectionKind, 5);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 0), 80 * 60);
  FormMask->Wielkosc->SetPosition(10);
  FormMask->Twardosc->SetPosition(100);
  FormMask->Przezroczystosc->SetPosition(80);
  EXPECT_EQ(FindPointerTarget(36)->OutlineSize(), 10);
  PointerTarget* t = FindPointerTarget(36);
  t->Press(At(20, 20, Qt::RightButton));  // the right button pans instead
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 0), 80 * 60);
  t->Press(At(20, 20));
  EXPECT_EQ(Doc().SelectionMask.At(20, 20), 80);
  EXPECT_EQ(Doc().SelectionMask.At(11, 20), 80);
  EXPECT_EQ(Doc().SelectionMask.At(31, 20), 0);
  EXPECT_EQ(Doc().WorkImage.At(20, 20) & 0xFFFFFFu, MakePixel(255, 0, 0) & 0xFFFFFFu);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture().At(20, 20) & 0xFFFFFFu, MakePixel(255, 0, 0) & 0xFFFFFFu);
  t->Drag(At(50, 40));
  EXPECT_EQ(Doc().SelectionMask.At(50, 40), 80);
  const int entries = FormHistory->Count();
  t->Release(At(50, 40));
  EXPECT_EQ(Doc().WorkImage, pic);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), pic);
  EXPECT_EQ(Doc().SelectionMask.At(20, 20), 80) << "the mask stays";
  EXPECT_EQ(FormHistory->Count(), entries);
  // Wheel: size plain, strength with Ctrl.
  t->Wheel(4, false);
  t->Wheel(-4, true);
  EXPECT_EQ(FormMask->Wielkosc->Position(), 14);
  EXPECT_EQ(FormMask->Przezroczystosc->Position(), 76);
  FormMask->Wielkosc->SetPosition(75);
  FormMask->Twardosc->SetPosition(1);
  FormMask->Przezroczystosc->SetPosition(100);
}

TEST(MaskWindow, ActivatingTheWindowRefreshesTheDisplay) {
  const Bitmap pic(30, 30, MakePixel(10, 10, 10));
  OpenPicture(pic);
  for (int toolId : {36, 3}) {
    Click(toolId);
    QWidget* w = toolId == 36 ? static_cast<QWidget*>(FormMask) : FormWand;
    FormImageHome->ObrazDlaUsera->EditPicture().Fill(MakePixel(1, 2, 3));
    FormHome->PointerOverPicture = true;
    QApplication::setActiveWindow(FormHome);
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), pic) << toolId;
  }
}

// Pixels of a picture that differ from white.
QRect Ink(const Bitmap& b, Pixel background) {
  QRect r;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if ((b.At(x, y) & 0xFFFFFFu) != (background & 0xFFFFFFu)) r |= QRect(x, y, 1, 1);
  return r;
}

QRect Selected(const SelectionMask& m) {
  QRect r;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x)
      if (m.At(x, y) != 0) r |= QRect(x, y, 1, 1);
  return r;
}

// Black text on a picture whose right half is already black: the text's
// pixels there stay unselected.
TEST(TextMask, SelectsThePixelsTheTextChanged) {
  const Pixel white = MakePixel(255, 255, 255);
  Bitmap pic(400, 200, white);
  for (int y = 0; y < 200; ++y)
    for (int x = 200; x < 400; ++x) pic.Set(x, y, MakePixel(0, 0, 0));
  OpenPicture(pic);
  FormTools->ResetColors();
  Click(14);
  EXPECT_EQ(FormTools->SelectionKind, 6);
  EXPECT_EQ(FormTextHorzSel->OSX->Min(), -80);  // -10 x the 8-point font
  EXPECT_EQ(FormTextHorzSel->OSY->Max(), 200);
  FormTextHorzSel->Text->setText(QString());
  FormTextHorzSel->Sila->SetPosition(55);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 0), 400 * 200) << "no text, nothing selected";
  PointerTarget* t = FindPointerTarget(14);
  t->Press(At(150, 40));
  t->Release(At(150, 40));
  FormTextHorzSel->Text->setFocus();
  QTest::keyClicks(FormTextHorzSel->Text, QStringLiteral("WW"));  // every key release commits
  const SelectionMask& m = Doc().SelectionMask;
  // The reference: the same text over a white picture.
  Bitmap plain(400, 200, white);
  DrawToolText(plain, FormTextHorzSel->CurrentText(), QPoint(150, 40), Qt::black);
  const QRect ink = Ink(plain, white);
  ASSERT_TRUE(ink.isValid());
  ASSERT_GT(ink.right(), 200) << "the text reaches the black half";
  int selected = 0;
  const Bitmap& shown = FormImageHome->ObrazDlaUsera->Picture();
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 400; ++x) {
      const bool text = (plain.At(x, y) & 0xFFFFFFu) != (white & 0xFFFFFFu);
      const bool changed = x < 200 && text;
      ASSERT_EQ(m.At(x, y), changed ? 55 : 0) << x << "," << y;
      selected += changed;
      // The display shows the text in the primary colour (black over the black half changes nothing).
      ASSERT_EQ(shown.At(x, y) & 0xFFFFFFu, (x < 200 ? plain.At(x, y) : pic.At(x, y)) & 0xFFFFFFu) << x << "," << y;
    }
  EXPECT_GT(selected, 100);
  EXPECT_EQ(Doc().WorkImage, pic);
  // A new strength commits again.
  FormTextHorzSel->Sila->SetPosition(20);
  EXPECT_EQ(CountSelected(m, 20), selected);
}

TEST(TextMask, AdvanceFontAndThePreviewOfTheOrigin) {
  const Pixel white = MakePixel(255, 255, 255);
  OpenPicture(Bitmap(900, 700, white));
  FormTools->ResetColors();
  Click(14);
  FormTextHorzSel->Text->setText(QStringLiteral("ii"));
  FormTextHorzSel->RunCheck->setChecked(true);  // commits
  EXPECT_TRUE(FormTextHorzSel->Run->isEnabled());
  FormTextHorzSel->Run->SetPosition(500);
  FindPointerTarget(14)->Press(At(10, 10));
  FindPointerTarget(14)->Release(At(10, 10));
  const QRect wide = Selected(Doc().SelectionMask);
  EXPECT_GT(wide.width(), 500) << "the second character 500 pixels right of the first";
  EXPECT_LT(wide.height(), 200);
  // Ctrl + wheel steps the advance, the plain wheel the strength.
  FindPointerTarget(14)->Wheel(-4, true);
  FindPointerTarget(14)->Wheel(-4, false);
  EXPECT_EQ(FormTextHorzSel->Run->Position(), 496);
  EXPECT_EQ(FormTextHorzSel->Sila->Position(), 96);
  FormTextHorzSel->Sila->SetPosition(100);
  FormTextHorzSel->RunCheck->setChecked(false);
  FormTextHorzSel->Run->SetPosition(200);

  // The vertical mask: one character under the other, Run further down.
  Click(15);
  EXPECT_EQ(FormTools->SelectionKind, 7);
  FormTextVertSel->Text->setText(QStringLiteral("ii"));
  FormTextVertSel->Run->SetPosition(300);
  FindPointerTarget(15)->Press(At(20, 0));
  FindPointerTarget(15)->Release(At(20, 0));
  const QRect tall = Selected(Doc().SelectionMask);
  EXPECT_GT(tall.height(), 300);
  EXPECT_LT(tall.width(), 200);
  // Dragging the origin only previews: the display moves, the mask stays.
  const SelectionMask before = Doc().SelectionMask;
  FindPointerTarget(15)->Drag(At(400, 50));
  EXPECT_EQ(Doc().SelectionMask, before);
  EXPECT_GE(Ink(FormImageHome->ObrazDlaUsera->Picture(), white).left(), 400);
  FindPointerTarget(15)->Release(At(400, 50));
  EXPECT_GE(Selected(Doc().SelectionMask).left(), 400);
  // A chosen font of 20 points: the origin may start at -200.
  SetFontChooser([](const QFont& f) {
    QFont g = f;
    g.setPointSize(20);
    return std::optional<QFont>(g);
  });
  FormTextVertSel->UstawCzcionke->click();
  SetFontChooser({});
  EXPECT_EQ(FormTextVertSel->OSX->Min(), -200);
  EXPECT_EQ(FormTextVertSel->OSY->Min(), -200);
  EXPECT_GT(Selected(Doc().SelectionMask).width(), tall.width()) << "committed with the larger font";
  FormTextVertSel->Font = DefaultToolFont();
  FormTextVertSel->Run->SetPosition(200);
}

void SendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QWidget* w = FormImageHome->ObrazDlaUsera;
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// Through the document window: a 1400 x 1000 picture is shown at 700 x 500,
// so display points are doubled on the picture.
TEST(SelectionByPointer, RectangleOnAScaledDisplay) {
  FormHome->OpenDroppedFiles({test::WriteImage(QStringLiteral("scaled.png"), test::Pattern(1400, 1000))});
  ASSERT_EQ(FormImageHome->ObrazDlaUsera->size(), QSize(700, 500));
  Click(1);
  SendMouse(QEvent::MouseButtonPress, QPoint(350, 250), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(FormRectangleSel->OSX->Position(), 700);
  EXPECT_EQ(FormRectangleSel->OSY->Position(), 500);
  for (const QPoint p : {QPoint(380, 280), QPoint(390, 290), QPoint(399, 299), QPoint(400, 300)})
    SendMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
  SendMouse(QEvent::MouseButtonRelease, QPoint(400, 300), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(FormRectangleSel->OSX2->Position(), 800);
  EXPECT_EQ(FormRectangleSel->OSY2->Position(), 600);
  EXPECT_EQ(CountSelected(Doc().SelectionMask, 100), 100 * 100);
  EXPECT_EQ(Doc().SelectionMask.At(700, 500), 100);
  EXPECT_EQ(Doc().SelectionMask.At(799, 599), 100);
  EXPECT_EQ(Doc().SelectionMask.At(800, 599), 0);
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  // The outline stays on the display after the release.
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture(), Doc().WorkImage);
}

// "Kopiuj" after an ellipse selection: the box of the ellipse, white outside it.
TEST(SelectionEffect, CopyTakesTheShapesBox) {
  FormHome->OpenDroppedFiles({test::WriteImage(QStringLiteral("copy.png"), test::Pattern(60, 40, 3))});
  const Bitmap pic = Doc().WorkImage;
  ASSERT_EQ(pic.Width(), 60);
  Click(2);
  Stroke(2, QPoint(40, 30), QPoint(10, 5));
  test::ClearMessages();
  FormHome->Menus().Bar(QStringLiteral("Kopiuj1"))->trigger();
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const Bitmap copied = test::ToBitmap(qvariant_cast<QImage>(data->imageData()));
  ASSERT_EQ(copied.Width(), 30);
  ASSERT_EQ(copied.Height(), 25);
  const SelectionMask& m = Doc().SelectionMask;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 30; ++x) {
      const Pixel expected = m.At(10 + x, 5 + y) == 100 ? pic.At(10 + x, 5 + y) : MakePixel(255, 255, 255);
      ASSERT_EQ(copied.At(x, y) & 0xFFFFFFu, expected & 0xFFFFFFu) << x << "," << y;
    }
}

// A filter run through its dialog changes only the selected pixels.
TEST(SelectionEffect, NegativeFromTheDialogActsOnTheRectangleOnly) {
  const Bitmap pic = Gradient(64, 48);
  OpenPicture(pic);
  Click(1);
  FormRectangleSel->Transparent->SetPosition(100);
  Stroke(1, QPoint(8, 6), QPoint(30, 20));
  Click(0);  // the cursor tool would select everything again
  Click(1);  // picking the rectangle again re-selects the same shape
  ui::SetDialogRunner([](QDialog* d) {
    d->show();
    FormNegativ->OK->click();
    return d->result();
  });
  ASSERT_TRUE(FormHome->Menus().Run(QStringLiteral("TFormNegativ")));
  ui::SetDialogRunner({});
  const Bitmap& out = Doc().BackupImage;
  const Bitmap everywhere = test::RunFull(test::Run("Negativ"), pic);
  ASSERT_NE(everywhere, pic);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool inside = x >= 8 && x < 30 && y >= 6 && y < 20;
      const Pixel expected = inside ? everywhere.At(x, y) : pic.At(x, y);
      ASSERT_EQ(out.At(x, y) & 0xFFFFFFu, expected & 0xFFFFFFu) << x << "," << y;
    }
}

}  // namespace
}  // namespace rv
