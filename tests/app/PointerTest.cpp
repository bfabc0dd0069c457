// The document window's pointer routing: real mouse and wheel events sent to
// the display control, checked on the pictures, the history, the scroll
// positions, the zoom, the colours and a recording pointer target.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <map>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/BrushSettings.h"
#include "tools/PointerTarget.h"
#include "tools/SelectionShapes.h"
#include "tools/SelectionWindows.h"
#include "tools/UnitBrushOptions.h"
#include "tools/UnitColor.h"
#include "tools/UnitRectangleRoundSel.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"
#include "ui/TrackBar.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }
ui::ImageControl* Display() { return FormImageHome->ObrazDlaUsera; }
const Bitmap& Shown() { return Display()->Picture(); }

void Open(const QImage& image, const char* name = "pointer.png") {
  FormHome->OpenDroppedFiles({test::WriteImage(QString::fromUtf8(name), image)});
  ASSERT_EQ(Doc().Width(), image.width());
}

void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
          Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = Display();
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, mods);
  QApplication::sendEvent(w, &e);
}
void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) { Send(QEvent::MouseButtonPress, at, b, b); }
void Move(QPoint at, Qt::MouseButtons held = Qt::LeftButton) { Send(QEvent::MouseMove, at, Qt::NoButton, held); }
void Release(QPoint at, Qt::MouseButton b = Qt::LeftButton) { Send(QEvent::MouseButtonRelease, at, b, Qt::NoButton); }
void Turn(QPoint at, bool up, bool ctrl) {
  QWidget* w = Display();
  QWheelEvent e(QPointF(at), w->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton,
                ctrl ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

// A hard, opaque brush of radius r in the colour c.
void UseBrush(int r, PackedColor c) {
  FormTools->SelectTool(kToolBrush);
  BrushOptions& b = BrushSettings().Brush;
  b.Wielkosc = r;
  b.Twardosc = 100;
  b.Przezroczystosc = 100;
  b.Tryb = 0;
  FormTools->SetToolColor(ToolColor::Primary, c);
}

const Pixel kRed = MakePixel(255, 0, 0);
const Pixel kWhite = MakePixel(255, 255, 255);

int Count(const Bitmap& a, const Bitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

QString LastLabel() { return FormHistory->Entries.last().RowBox->Text(); }

// Every event a target receives, as text.
class RecordingTarget : public PointerTarget {
 public:
  QStringList Log;
  int Outline = 0;
  void Press(const PointerEvent& e) override { Log << Text("press", e, e.Button); }
  void Drag(const PointerEvent& e) override {
    Log << Text("drag", e, e.Held == Qt::LeftButton ? Qt::LeftButton : Qt::RightButton);
  }
  void Release(const PointerEvent& e) override { Log << Text("release", e, e.Button); }
  void Wheel(int step, bool ctrl) override { Log << QStringLiteral("wheel %1%2").arg(step).arg(ctrl ? " ctrl" : ""); }
  int OutlineSize() const override { return Outline; }

 private:
  static QString Text(const char* what, const PointerEvent& e, Qt::MouseButton b) {
    return QStringLiteral("%1 %2 %3,%4 %5,%6")
        .arg(QString::fromLatin1(what), b == Qt::LeftButton ? QStringLiteral("L") : QStringLiteral("R"))
        .arg(e.Display.x())
        .arg(e.Display.y())
        .arg(e.Picture.x())
        .arg(e.Picture.y());
  }
};

TEST(PointerRouting, BrushStrokePassesEverySecondMoveAndCommitsOnce) {
  Open(test::Solid(300, 200, Qt::white));
  UseBrush(20, MakePacked(255, 0, 0));
  const int before = FormHistory->Count();
  Press(QPoint(50, 50));
  EXPECT_EQ(Doc().WorkImage.At(50, 50), kRed);
  EXPECT_EQ(Doc().WorkImage.At(69, 50), kRed);
  EXPECT_EQ(Doc().WorkImage.At(71, 50), kWhite);
  // The press's dab is on the display at once; the backup waits for the release.
  EXPECT_EQ(Shown().At(50, 50), kRed);
  EXPECT_EQ(Doc().BackupImage.At(50, 50), kWhite);
  Move(QPoint(100, 50));  // only adds its travel
  Move(QPoint(150, 50));  // passed on
  Move(QPoint(200, 50));  // only adds its travel
  Move(QPoint(250, 50));  // passed on
  EXPECT_EQ(Doc().WorkImage.At(100, 50), kWhite);
  EXPECT_EQ(Doc().WorkImage.At(150, 50), kRed);
  EXPECT_EQ(Doc().WorkImage.At(200, 50), kWhite);
  EXPECT_EQ(Doc().WorkImage.At(250, 50), kRed);
  EXPECT_EQ(FormHistory->Count(), before);
  Release(QPoint(250, 50));
  ASSERT_EQ(FormHistory->Count(), before + 1);
  EXPECT_EQ(LastLabel(), QStringLiteral("Pędzel - nr: %1").arg(before));
  // Only the stroke's rectangle was copied, with the same result as copying everything.
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  EXPECT_EQ(Shown(), Doc().WorkImage);
  EXPECT_EQ(FormHistory->Entries.last().Thumb->Picture(), Doc().WorkImage);
  EXPECT_EQ(FormImageHome->StrokeRect, QRect(QPoint(30, 30), QPoint(269, 69)));
}

TEST(PointerRouting, LargeBrushPassesAMoveOnceThePointerTravelledMoreThanOnePixel) {
  // Wielkosc 100: spacing 1. The press dab reaches column 109, a dab at 13 column 112.
  Open(test::Solid(700, 200, Qt::white));
  UseBrush(100, MakePacked(255, 0, 0));
  Press(QPoint(10, 100));
  Move(QPoint(11, 100));
  Move(QPoint(12, 100));
  EXPECT_EQ(Doc().WorkImage.At(109, 100), kRed);
  EXPECT_EQ(Doc().WorkImage.At(111, 100), kWhite);
  Move(QPoint(13, 100));  // travel 2 > 1
  EXPECT_EQ(Doc().WorkImage.At(112, 100), kRed);
  Move(QPoint(14, 100));  // travel starts again from 0
  EXPECT_EQ(Doc().WorkImage.At(113, 100), kWhite);
  Release(QPoint(14, 100));
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
}

TEST(PointerRouting, StrokeOnAScaledDisplayKeepsBackupAndDisplayEqualToTheWholePicture) {
  // 1400 x 1000 is shown at 700 x 500: display points map to twice their values.
  Open(test::Pattern(1400, 1000, 3));
  ASSERT_EQ(Display()->size(), QSize(700, 500));
  FormTools->SelectTool(kToolBlur);
  BrushSettings().Blur.Wielkosc = 30;
  BrushSettings().Blur.Twardosc = 0;
  const Bitmap before = Doc().WorkImage;
  Press(QPoint(100, 100));
  for (int i = 1; i <= 20; ++i) Move(QPoint(100 + 7 * i, 100 + 3 * i));
  Release(QPoint(240, 160));
  EXPECT_NE(Doc().WorkImage, before);
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  EXPECT_EQ(Shown(), Doc().WorkImage);
  const QRect r = FormImageHome->StrokeRect;
  EXPECT_EQ(r.topLeft(), QPoint(170, 170));
  EXPECT_EQ(r.bottomRight(), QPoint(509, 349));
  // Nothing outside the rectangle changed.
  Bitmap outside = Doc().WorkImage;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) outside.Set(x, y, before.At(x, y));
  EXPECT_EQ(outside, before);
}

TEST(PointerRouting, OutlineIsDrawnOnTheDisplayOnlyAndErasedWhenThePointerMoves) {
  Open(test::Solid(300, 200, Qt::white));
  UseBrush(20, MakePacked(255, 0, 0));
  Move(QPoint(60, 60), Qt::NoButton);
  EXPECT_TRUE(FormHome->PointerOverPicture);
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  // A black dashed ring over white, about r from the pointer.
  const int changed = Count(Shown(), Doc().WorkImage);
  EXPECT_GT(changed, 20);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x)
      if (Shown().At(x, y) != kWhite) {
        const int dx = x - 60, dy = y - 60;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 20.0, 2.0) << x << "," << y;
        EXPECT_EQ(Shown().At(x, y), MakePixel(0, 0, 0));
      }
  Move(QPoint(200, 120), Qt::NoButton);
  for (int y = 30; y < 90; ++y)
    for (int x = 30; x < 90; ++x) ASSERT_EQ(Shown().At(x, y), kWhite) << x << "," << y;
  EXPECT_GT(Count(Shown(), Doc().WorkImage), 20);
  // Leaving the picture restores the clean display.
  FormHome->RestoreCleanDisplay();
  EXPECT_EQ(Shown(), Doc().WorkImage);
}

// Distances from (cx, cy) of the display pixels that differ from the picture.
std::pair<double, double> RingRadii(int cx, int cy) {
  double lo = 1e9, hi = -1;
  for (int y = 0; y < Shown().Height(); ++y)
    for (int x = 0; x < Shown().Width(); ++x)
      if (Shown().At(x, y) != Doc().WorkImage.At(x, y)) {
        const double d = std::hypot(x - cx, y - cy);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
      }
  return {lo, hi};
}

TEST(PointerRouting, WheelRedrawsTheOutlineWithTheNewSize) {
  Open(test::Solid(300, 200, Qt::white));
  UseBrush(20, MakePacked(255, 0, 0));
  Move(QPoint(100, 100), Qt::NoButton);
  auto [lo, hi] = RingRadii(100, 100);
  EXPECT_GE(lo, 18.5);
  EXPECT_LE(hi, 22.0);
  Turn(QPoint(100, 100), true, false);
  Turn(QPoint(100, 100), true, false);
  EXPECT_EQ(BrushSettings().Brush.Wielkosc, 28);
  std::tie(lo, hi) = RingRadii(100, 100);
  EXPECT_GE(lo, 26.5);
  EXPECT_LE(hi, 30.0);
  // Ctrl changes the transparency and draws the outline again at the same size.
  Turn(QPoint(100, 100), false, true);
  EXPECT_EQ(BrushSettings().Brush.Przezroczystosc, 96);
  std::tie(lo, hi) = RingRadii(100, 100);
  EXPECT_GE(lo, 26.5);
  EXPECT_LE(hi, 30.0);
}

TEST(PointerRouting, OutlineLeftFarBehindIsErasedToo) {
  // 1400 x 1000 at 700 x 500: the second position is more than 500 picture
  // pixels away from the first, beyond the square the outline restores.
  Open(test::Solid(1400, 1000, Qt::white));
  UseBrush(30, MakePacked(255, 0, 0));
  Move(QPoint(40, 40), Qt::NoButton);
  ASSERT_GT(Count(Shown(), Doc().WorkImage), 20);
  Move(QPoint(650, 450), Qt::NoButton);
  for (int y = 0; y < 1000; ++y)
    for (int x = 0; x < 1400; ++x)
      if (Shown().At(x, y) != Doc().WorkImage.At(x, y)) {
        ASSERT_LE(std::abs(x - 1300), 34) << x << "," << y;
        ASSERT_LE(std::abs(y - 900), 34) << x << "," << y;
      }
}

TEST(PointerRouting, CommitClearsMarksOfASelectionOutlineAnywhereOnTheDisplay) {
  // A selection outline far from the stroke, beyond the outline's square.
  Open(test::Solid(1400, 1000, Qt::white));
  FormTools->SelectionKind = 1;
  const std::function<void()> realOutline = FormTools->DrawShapeOutline;
  FormTools->DrawShapeOutline = [] {
    Bitmap& shown = Display()->EditPicture();
    for (int x = 1300; x < 1390; ++x) shown.Set(x, 990, MakePixel(0, 0, 0));
    FormImageHome->NoteSelectionMarks(QRect(1300, 990, 90, 1));
  };
  UseBrush(10, MakePacked(255, 0, 0));
  Move(QPoint(20, 20), Qt::NoButton);
  EXPECT_EQ(Shown().At(1350, 990), MakePixel(0, 0, 0));
  Press(QPoint(20, 20));
  EXPECT_EQ(Shown().At(1350, 990), MakePixel(0, 0, 0));
  Release(QPoint(20, 20));
  EXPECT_EQ(Shown(), Doc().WorkImage);
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  FormTools->DrawShapeOutline = realOutline;
  FormTools->SelectionKind = 0;
}

TEST(PointerRouting, RightButtonPansWithBrushesAndTheLeftWithTheCursor) {
  Open(test::Pattern(1400, 1000));
  FormTools->ZoomPercent = 100;
  FormImageHome->ApplyZoom();
  ASSERT_EQ(Display()->size(), QSize(1400, 1000));
  struct Case {
    int Tool;
    Qt::MouseButton Button;
  };
  for (const Case c : {Case{0, Qt::LeftButton}, Case{0, Qt::RightButton}, Case{kToolBrush, Qt::RightButton},
                       Case{kToolSpray, Qt::RightButton}, Case{36, Qt::RightButton}}) {
    FormTools->SelectTool(c.Tool);
    FormImageHome->SetScrollPositions(QPoint(100, 100));
    const QPoint start = FormImageHome->ScrollPositions();
    ASSERT_EQ(start, QPoint(100, 100));
    const int entries = FormHistory->Count();
    const QPoint at(300, 300);
    const QPoint anchor = Display()->mapToGlobal(at);
    QCursor::setPos(anchor);
    Press(at, c.Button);
    QCursor::setPos(anchor + QPoint(10, 4));
    Move(at + QPoint(10, 4), c.Button);  // only adds its travel
    EXPECT_EQ(FormImageHome->ScrollPositions(), start) << c.Tool;
    Move(at + QPoint(10, 4), c.Button);
    EXPECT_EQ(FormImageHome->ScrollPositions(), start + QPoint(10, 4)) << c.Tool;
    EXPECT_EQ(QCursor::pos(), anchor) << c.Tool;
    Release(at, c.Button);
    EXPECT_EQ(Doc().WorkImage, Doc().BackupImage) << c.Tool;
    EXPECT_EQ(FormHistory->Count(), entries) << c.Tool;
  }
}

TEST(PointerRouting, WheelScrollsZoomsAndStepsBrushControls) {
  Open(test::Pattern(1400, 1000));
  FormTools->ZoomPercent = 100;
  FormImageHome->ApplyZoom();
  const QPoint at(200, 200);
  struct Case {
    int Tool;
    bool Up, Ctrl;
    QPoint Scroll;
  };
  for (const Case c : {Case{0, false, false, {0, 40}}, Case{0, true, false, {0, -40}}, Case{0, false, true, {40, 0}},
                       Case{0, true, true, {-40, 0}}, Case{34, false, false, {0, 40}}, Case{34, true, true, {-40, 0}},
                       Case{8, false, false, {0, 0}}, Case{kToolBrush, false, true, {0, 0}}}) {
    FormTools->SelectTool(c.Tool);
    FormImageHome->SetScrollPositions(QPoint(200, 200));
    Turn(at, c.Up, c.Ctrl);
    EXPECT_EQ(FormImageHome->ScrollPositions(), QPoint(200, 200) + c.Scroll) << c.Tool << c.Up << c.Ctrl;
    EXPECT_EQ(FormTools->ZoomPercent, 100);
  }
  // Brushes: Wielkosc plain, Przezroczystosc with Ctrl, clamped to their ranges.
  FormTools->SelectTool(kToolSpray);
  SprayOptions& s = BrushSettings().Spray;
  s.Wielkosc = 75;
  s.Przezroczystosc = 100;
  Turn(at, true, false);
  EXPECT_EQ(s.Wielkosc, 79);
  Turn(at, false, false);
  Turn(at, false, false);
  EXPECT_EQ(s.Wielkosc, 71);
  Turn(at, true, true);
  EXPECT_EQ(s.Przezroczystosc, 100);
  Turn(at, false, true);
  EXPECT_EQ(s.Przezroczystosc, 96);
  s.Wielkosc = 3;
  Turn(at, false, false);
  EXPECT_EQ(s.Wielkosc, 1);
  // The outline is drawn again at the pointer; the picture is untouched.
  EXPECT_GT(Count(Shown(), Doc().WorkImage), 0);
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  // The magnifier scrolls and zooms: down zooms out, up zooms in.
  FormTools->SelectTool(35);
  Turn(at, true, false);
  EXPECT_EQ(FormTools->ZoomPercent, 150);
  EXPECT_EQ(Display()->size(), QSize(1750, 1250));
  Turn(at, false, true);
  EXPECT_EQ(FormTools->ZoomPercent, 100);
  EXPECT_EQ(Display()->size(), QSize(1400, 1000));
}

TEST(PointerRouting, BrushPickedOnThePaletteShowsWheelStepsAndPaintsWithItsWindowsValues) {
  Open(test::Solid(300, 200, Qt::white));
  QTest::mousePress(FormTools->Slot(kToolBrush)->Icon, Qt::LeftButton);
  ASSERT_EQ(FormTools->ToolId, kToolBrush);
  TFormBrushOptions* window = BrushOptionWindow(kToolBrush);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  Turn(QPoint(100, 100), false, false);
  Turn(QPoint(100, 100), false, false);
  EXPECT_EQ(window->Bar(QStringLiteral("Wielkosc"))->Position(), 67);
  EXPECT_EQ(window->ValueLabel(QStringLiteral("Wielkosc"))->text(), QStringLiteral("67"));
  Turn(QPoint(100, 100), false, true);
  EXPECT_EQ(window->Bar(QStringLiteral("Przezroczystosc"))->Position(), 96);
  window->Bar(QStringLiteral("Twardosc"))->SetPosition(100);
  window->Bar(QStringLiteral("Przezroczystosc"))->SetPosition(100);
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(255, 0, 0));
  Press(QPoint(100, 100));
  Release(QPoint(100, 100));
  // A hard disc of radius 67: the left and top bounds inclusive, the right and bottom exclusive.
  EXPECT_EQ(Doc().BackupImage.At(33, 100), kRed);
  EXPECT_EQ(Doc().BackupImage.At(32, 100), kWhite);
  EXPECT_EQ(Doc().BackupImage.At(166, 100), kRed);
  EXPECT_EQ(Doc().BackupImage.At(167, 100), kWhite);
  EXPECT_EQ(Doc().BackupImage.At(100, 166), kRed);
  EXPECT_EQ(Doc().BackupImage.At(100, 167), kWhite);
}

TEST(PointerRouting, MagnifierStepsAndTheMappingOfDisplayPoints) {
  Open(test::Pattern(1400, 1000));
  ASSERT_EQ(Display()->size(), QSize(700, 500));
  ASSERT_TRUE(FormTools->Slot(35)->Icon->isEnabled());
  QTest::mousePress(FormTools->Slot(35)->Icon, Qt::LeftButton);
  EXPECT_EQ(FormTools->ToolId, 35);
  RecordingTarget target;
  RegisterPointerTarget(1, &target);
  const QSize windowSize = FormImageHome->size();
  // A double click through the window system is two clicks.
  QWindow* window = FormImageHome->windowHandle();
  ASSERT_NE(window, nullptr);
  QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, Display()->mapTo(FormImageHome, QPoint(10, 10)));
  EXPECT_EQ(FormTools->ZoomPercent, 100);
  EXPECT_EQ(Display()->size(), QSize(1400, 1000));
  EXPECT_EQ(FormImageHome->size(), windowSize);  // the window keeps its size and scrolls
  FormTools->SelectTool(1);
  Press(QPoint(350, 250));
  FormTools->SelectTool(35);
  // Right clicks: 50, then 0 with the window fitted around the display again.
  Press(QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(FormTools->ZoomPercent, 50);
  EXPECT_EQ(Display()->size(), QSize(1050, 750));
  FormImageHome->resize(300, 200);
  Press(QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(FormTools->ZoomPercent, 0);
  EXPECT_EQ(Display()->size(), QSize(700, 500));
  EXPECT_EQ(FormImageHome->size(), QSize(700, 500));
  Press(QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(FormTools->ZoomPercent, 0);
  EXPECT_EQ(Display()->size(), QSize(700, 500));
  FormTools->SelectTool(1);
  Press(QPoint(350, 250));
  EXPECT_EQ(target.Log, QStringList({"press L 350,250 350,250", "press L 350,250 700,500"}));
  RegisterPointerTarget(1, nullptr);
}

TEST(PointerRouting, RectangleSelectionTakesPicturePointsOfTheScaledDisplay) {
  Open(test::Pattern(1400, 1000));
  ASSERT_EQ(Display()->size(), QSize(700, 500));
  QTest::mousePress(FormTools->Slot(1)->Icon, Qt::LeftButton);
  ASSERT_EQ(FormTools->ToolId, 1);
  auto* window = dynamic_cast<TFormSelectionOptions*>(FindPointerTarget(1));
  ASSERT_NE(window, nullptr);
  Press(QPoint(350, 250));
  EXPECT_EQ(window->Bar(QStringLiteral("OSX"))->Position(), 700);
  EXPECT_EQ(window->Bar(QStringLiteral("OSY"))->Position(), 500);
  Move(QPoint(500, 400));
  Move(QPoint(600, 450));
  EXPECT_EQ(window->Bar(QStringLiteral("OSX2"))->Position(), 1200);
  EXPECT_EQ(window->Bar(QStringLiteral("OSY2"))->Position(), 900);
  Release(QPoint(600, 450));
  EXPECT_EQ(FormTools->SelectionKind, 1);
  EXPECT_EQ(Doc().SelectionMask.At(1000, 700), 100);
  EXPECT_EQ(Doc().SelectionMask.At(100, 100), 0);
}

TEST(PointerRouting, ShapeAndSelectionToolsGetTheirEventsFromTheTarget) {
  Open(test::Pattern(1400, 1000));  // display 700 x 500
  for (int tool = 1; tool <= 15; ++tool) {
    RecordingTarget target;
    target.Outline = 30;  // no outline for these tools whatever the target says
    RegisterPointerTarget(tool, &target);
    FormTools->SelectTool(tool);
    Press(QPoint(10, 20));
    Move(QPoint(11, 21));  // only adds its travel
    Move(QPoint(12, 22));
    Release(QPoint(12, 22));
    Press(QPoint(30, 40), Qt::RightButton);
    Move(QPoint(31, 41), Qt::RightButton);
    Move(QPoint(32, 42), Qt::LeftButton | Qt::RightButton);
    Release(QPoint(32, 42), Qt::RightButton);
    Press(QPoint(5, 5), Qt::MiddleButton);
    Release(QPoint(6, 6), Qt::MiddleButton);
    Turn(QPoint(0, 0), false, false);
    Turn(QPoint(0, 0), true, true);
    EXPECT_EQ(target.Log, QStringList({"press L 10,20 20,40", "drag L 12,22 24,44", "release L 12,22 24,44",
                                       "press R 30,40 60,80", "drag L 32,42 64,84", "drag R 32,42 64,84",
                                       "release R 32,42 64,84", "release R 6,6 12,12", "wheel -4", "wheel 4 ctrl"}))
        << tool;
    EXPECT_EQ(Shown(), Doc().WorkImage) << tool;
    RegisterPointerTarget(tool, nullptr);
  }
}

TEST(PointerRouting, MaskToolGetsItsEventsFromTheTargetAndPansWithTheRightButton) {
  Open(test::Solid(300, 200, Qt::white));
  RecordingTarget target;
  target.Outline = 15;
  RegisterPointerTarget(36, &target);
  FormTools->SelectTool(36);
  Move(QPoint(100, 100), Qt::NoButton);
  EXPECT_GT(Count(Shown(), Doc().WorkImage), 10);  // the mask's outline
  Press(QPoint(100, 100));
  // The hover's travel carries over: the first drag is passed on.
  Move(QPoint(101, 100));
  Move(QPoint(102, 100));
  Press(QPoint(50, 50), Qt::RightButton);  // pans, not forwarded
  Release(QPoint(50, 50), Qt::RightButton);
  const int entries = FormHistory->Count();
  Release(QPoint(102, 100));
  Turn(QPoint(100, 100), true, false);
  EXPECT_EQ(target.Log, QStringList({"press L 100,100 100,100", "drag L 101,100 101,100", "release L 102,100 102,100",
                                     "wheel 4"}));
  EXPECT_EQ(FormHistory->Count(), entries);
  RegisterPointerTarget(36, nullptr);
}

TEST(PointerRouting, MaskToolReleaseRestoresThePicturesAndKeepsThePaintedMask) {
  Open(test::Solid(300, 200, Qt::white));
  ASSERT_NE(FindPointerTarget(36), nullptr);
  QTest::mousePress(FormTools->Slot(36)->Icon, Qt::LeftButton);
  ASSERT_EQ(FormTools->ToolId, 36);
  const int entries = FormHistory->Count();
  Move(QPoint(100, 100), Qt::NoButton);
  Press(QPoint(100, 100));
  Move(QPoint(140, 100));
  Move(QPoint(150, 100));
  EXPECT_NE(Doc().WorkImage, Doc().BackupImage);  // the tint while painting
  Release(QPoint(150, 100));
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  EXPECT_EQ(Shown(), Doc().BackupImage);
  EXPECT_GT(Doc().SelectionMask.At(100, 100), 50);
  EXPECT_GT(Doc().SelectionMask.At(150, 100), 50);
  EXPECT_EQ(Doc().SelectionMask.At(5, 195), 0);
  EXPECT_EQ(FormHistory->Count(), entries);
}

TEST(PointerRouting, EveryBrushToolAddsOneEntryWithItsLabel) {
  Open(test::Pattern(200, 150));
  FormTools->StampSourceSet = true;
  const std::map<int, QString> labels = {
      {16, "Sprej"}, {17, "Pędzel jasności"}, {18, "Pędzel ściemniania"}, {19, "Pędzel rozmycia"},
      {20, "Pędzel szarości"}, {21, "Stempel"}, {22, "Pędzel wyostrzania"}, {25, "Usuwanie czerwonych oczu"},
      {26, "Pędzel korygujący"}, {27, "Pędzel historii"}, {28, "Pędzel"}, {29, "Wiadro"},
      {30, "Pędzel zmiany barwy"}, {33, "Pędzel zmiany koloru"}};
  for (const int tool : kBrushToolIds) {
    FormTools->SelectTool(tool);
    test::ClearMessages();
    const int before = FormHistory->Count();
    Press(QPoint(50, 50));
    for (int i = 1; i <= 5; ++i) Move(QPoint(50 + 5 * i, 50));
    Release(QPoint(75, 50));
    EXPECT_EQ(Doc().BackupImage, Doc().WorkImage) << tool;
    EXPECT_EQ(Shown(), Doc().WorkImage) << tool;
    if (tool == kToolBrushHistory) {
      EXPECT_EQ(FormHistory->Count(), before) << tool;
      continue;
    }
    ASSERT_EQ(FormHistory->Count(), before + 1) << tool;
    EXPECT_EQ(LastLabel(), QStringLiteral("%1 - nr: %2").arg(labels.at(tool)).arg(before));
    EXPECT_TRUE(test::Messages().isEmpty()) << tool;
  }
}

TEST(PointerRouting, HistoryBrushPaintsThePreviousStateAndAddsAnEntryOnlyWhenTicked) {
  Open(test::Solid(200, 150, Qt::white));
  FormTools->SelectTool(kToolBrushHistory);
  BrushHistoryOptions& h = BrushSettings().BrushHistory;
  h.Wielkosc = 10;
  h.Twardosc = 100;
  // Only the opening in the list: nothing to go back to, one message per dab.
  Press(QPoint(50, 50));
  Move(QPoint(51, 50));
  Move(QPoint(52, 50));
  Release(QPoint(52, 50));
  EXPECT_EQ(test::Messages(), QStringList({"Nie ma historii do cofnięcia", "Nie ma historii do cofnięcia"}));
  EXPECT_EQ(FormHistory->Count(), 1);
  test::ClearMessages();
  test::CommitChange(QStringLiteral("Kontrast"), MakePixel(0, 0, 255));
  Press(QPoint(50, 50));
  Release(QPoint(50, 50));
  EXPECT_TRUE(test::Messages().isEmpty());
  EXPECT_EQ(Doc().WorkImage.At(50, 50), kWhite);
  EXPECT_EQ(Doc().BackupImage.At(50, 50), kWhite);
  EXPECT_EQ(Doc().WorkImage.At(70, 50), MakePixel(0, 0, 255));
  EXPECT_EQ(FormHistory->Count(), 2);
  h.BoxNewHistory = true;
  Press(QPoint(100, 50));
  Release(QPoint(100, 50));
  ASSERT_EQ(FormHistory->Count(), 3);
  EXPECT_EQ(LastLabel(), QStringLiteral("Pędzel historii - nr: 2"));
  // The entry holds the unrecorded stroke's change as well.
  EXPECT_EQ(FormHistory->Entries.last().Thumb->Picture(), Doc().WorkImage);
  EXPECT_EQ(Doc().WorkImage.At(50, 50), kWhite);
}

TEST(PointerRouting, StampWithoutSourceShowsItsMessagePerDabAndClonesOnceChosen) {
  Open(test::Pattern(300, 200, 5));
  const Bitmap before = Doc().WorkImage;
  FormTools->SelectTool(kToolStamp);
  StampOptions& s = BrushSettings().Stamp;
  s.Wielkosc = 10;
  s.Twardosc = 100;
  Press(QPoint(100, 100));
  Move(QPoint(101, 100));
  Move(QPoint(102, 100));
  Release(QPoint(102, 100));
  EXPECT_EQ(test::Messages(), QStringList(2, QStringLiteral("Wybierz źródło klikając prawym przyciskiem myszy")));
  EXPECT_EQ(Doc().WorkImage, before);
  EXPECT_EQ(LastLabel(), QStringLiteral("Stempel - nr: 1"));  // the release commits all the same
  test::ClearMessages();
  Press(QPoint(20, 30), Qt::RightButton);
  Release(QPoint(20, 30), Qt::RightButton);
  EXPECT_TRUE(FormTools->StampSourceSet);
  Press(QPoint(100, 100));
  EXPECT_EQ(Doc().WorkImage.At(100, 100), before.At(20, 30));
  EXPECT_EQ(Doc().WorkImage.At(105, 103), before.At(25, 33));
  // The source follows the pointer.
  Move(QPoint(140, 100));
  Move(QPoint(150, 110));
  EXPECT_EQ(Doc().WorkImage.At(150, 110), before.At(70, 40));
  Release(QPoint(150, 110));
  EXPECT_TRUE(test::Messages().isEmpty());
  EXPECT_EQ(FormTools->StampSourceX, 70);
  EXPECT_EQ(FormTools->StampSourceY, 40);
}

TEST(PointerRouting, EyedropperPicksIntoTheEditedColourAndTheOtherOne) {
  QImage img = test::Solid(300, 200, QColor(10, 20, 30));
  for (int x = 150; x < 300; ++x)
    for (int y = 0; y < 200; ++y) img.setPixel(x, y, qRgb(200, 100, 50));
  Open(img);
  ASSERT_TRUE(FormTools->Slot(34)->Icon->isEnabled());
  QTest::mousePress(FormTools->Slot(34)->Icon, Qt::LeftButton);
  EXPECT_EQ(FormTools->ToolId, 34);
  Press(QPoint(20, 20));
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(10, 20, 30));
  Move(QPoint(200, 20));  // only adds its travel
  Move(QPoint(201, 20));
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(200, 100, 50));
  Release(QPoint(201, 20));
  Press(QPoint(20, 20), Qt::RightButton);
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(10, 20, 30));
  EXPECT_EQ(FormColor->State.SecondaryColor, MakePacked(10, 20, 30));
  // Editing the secondary colour: the left button picks into it, the right into the primary.
  FormColor->SelectEditedColor(true);
  Press(QPoint(250, 20));
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(200, 100, 50));
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(200, 100, 50));
  Press(QPoint(20, 20), Qt::RightButton);
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(10, 20, 30));
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(200, 100, 50));
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
}

// The display after the pointer's work with a selection outline on screen,
// against the same state drawn from scratch on a fresh copy of the picture.
Bitmap FreshDisplay(bool brushAt, QPoint at) {
  FormImageHome->ShowOnDisplay(Doc().WorkImage);
  if (brushAt) FormImageHome->DrawBrushCursor(at, BrushSize(kToolBrush, BrushSettings()));
  FormTools->DrawSelectionOutline();
  return Shown();
}

TEST(PointerRouting, DisplayWithSelectionMarksEqualsAFreshDrawingAfterDragsMovesAndCommits) {
  struct Case {
    int Tool;
    bool Invert;
  };
  for (const Case c : {Case{1, false}, Case{1, true}, Case{2, false}, Case{2, true}, Case{4, false}, Case{4, true}}) {
    SCOPED_TRACE(testing::Message() << "tool " << c.Tool << " invert " << c.Invert);
    QImage image = test::Solid(1400, 1000, Qt::white);
    {
      QPainter p(&image);
      p.fillRect(0, 0, 700, 1000, Qt::black);
    }
    Open(image);
    QTest::mousePress(FormTools->Slot(c.Tool)->Icon, Qt::LeftButton);
    if (c.Tool == 4) {
      FormRectangleRoundSel->OSX3->SetPosition(120);
      FormRectangleRoundSel->OSY3->SetPosition(80);
    }
    const QSize ds = Display()->size();
    const auto at = [&](int x, int y) { return QPoint(x * ds.width() / 1400, y * ds.height() / 1000); };
    // A drag that shrinks and grows the shape, crossing the colour edge.
    Press(at(100, 80));
    for (const QPoint p : {at(1300, 900), at(1200, 950), at(500, 400), at(900, 700), at(1350, 960)}) {
      Move(p);
      Move(p);
      Bitmap shown = Shown();
      EXPECT_EQ(shown, FreshDisplay(false, p));
    }
    Release(at(1350, 960));
    if (c.Invert) FormHome->Menus().Run(QStringLiteral("InvertSelection"));
    // Brush moves over the outline and the frame, then a stroke across it.
    UseBrush(20, MakePacked(255, 0, 0));
    for (const QPoint p : {at(100, 500), at(104, 82), at(110, 84), at(700, 3), at(1352, 700)}) {
      Move(p, Qt::NoButton);
      Bitmap shown = Shown();
      EXPECT_EQ(shown, FreshDisplay(true, p));
    }
    Press(at(90, 70));
    for (int k = 1; k <= 6; ++k) Move(at(90 + 30 * k, 70 + 4 * k));
    Release(at(270, 94));
    EXPECT_EQ(Shown(), Doc().WorkImage);
    EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
    // The dab changed the outline's colour under its first corner.
    Move(at(400, 500), Qt::NoButton);
    Bitmap shown = Shown();
    EXPECT_EQ(shown, FreshDisplay(true, at(400, 500)));
    if (c.Invert) FormHome->Menus().Run(QStringLiteral("InvertSelection"));
    QTest::mousePress(FormTools->Slot(0)->Icon, Qt::LeftButton);
  }
}

}  // namespace
}  // namespace rv
