// Around the dabs: the option windows' values, the spacing of the moves a
// stroke passes on, the clone stamp's source point, labels and the outline.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tools/core/BrushDabs.h"
#include "tools/core/Stroke.h"

namespace rv {
namespace {

TEST(BrushToolDecl, EveryWindowHasSizeAndTransparencyWithTheStructDefaults) {
  const BrushToolSettings defaults;
  for (int id : kBrushToolIds) {
    const BrushToolDecl* d = FindBrushTool(id);
    ASSERT_NE(d, nullptr) << id;
    ASSERT_GE(d->Controls.size(), 3u);
    const ControlDecl& size = d->Controls[0];
    const ControlDecl& tr = d->Controls[1];
    EXPECT_STREQ(size.Name, "Wielkosc");
    EXPECT_STREQ(size.Caption, "Wielkość:");
    EXPECT_EQ(size.Min, 1);
    EXPECT_EQ(size.Max, 150);
    EXPECT_EQ(size.Default, BrushSize(id, defaults));
    EXPECT_STREQ(tr.Name, "Przezroczystosc");
    EXPECT_EQ(tr.Min, 0);
    EXPECT_EQ(tr.Max, 100);
    EXPECT_EQ(tr.Default, 100);
    const ControlDecl* hard = d->Find("Twardosc");
    ASSERT_NE(hard, nullptr);
    EXPECT_EQ(hard->Default, id == kToolBucket ? 100 : 1) << id;
    EXPECT_TRUE(d->HasTryb);
    EXPECT_EQ(d->HasTypeBox, id == kToolEnlight || id == kToolDarker) << id;
    EXPECT_EQ(d->DabsOnDrag, id != kToolRedEye && id != kToolCorrectionBrush && id != kToolBucket) << id;
  }
  EXPECT_EQ(FindBrushTool(36), nullptr);
  EXPECT_EQ(FindBrushTool(0), nullptr);
}

TEST(BrushToolDecl, ToolOwnControlsMatchTheirStructs) {
  const BrushToolSettings s;
  const struct {
    int tool;
    const char* name;
    int min, max, def, structValue;
  } cases[] = {
      {kToolSpray, "Gestosc", 0, 100, 100, s.Spray.Gestosc},
      {kToolBlur, "Moc", 2, 6, 4, s.Blur.Moc},
      {kToolBucket, "Tolerant", 0, 255, 100, s.Bucket.Tolerant},
      {kToolBucket, "Twardosc", 0, 100, 100, s.Bucket.Twardosc},
      {kToolColorChange, "CanalR", -255, 255, 0, s.ColorChange.CanalR},
      {kToolColorChange, "Scal", 0, 1, 0, s.ColorChange.Scal},
      {kToolEnlight, "CanalB", 0, 255, 0, s.Enlight.CanalB},
      {kToolEnlight, "Scal", 0, 1, 1, s.Enlight.Scal},
      {kToolDarker, "CanalG", 0, 255, 0, s.Darker.CanalG},
      {kToolBrushHistory, "RadioBack", 0, 1, 1, s.BrushHistory.RadioBack},
      {kToolBrushHistory, "BoxNewHistory", 0, 1, 0, s.BrushHistory.BoxNewHistory},
      {kToolCorrectionBrush, "gora", 0, 1, 1, s.CorrectionBrush.Gora},
      {kToolCorrectionBrush, "lewo", 0, 1, 1, s.CorrectionBrush.Lewo},
      {kToolBrush, "Twardosc", 0, 100, 1, s.Brush.Twardosc},
  };
  for (const auto& c : cases) {
    const ControlDecl* d = FindBrushTool(c.tool)->Find(c.name);
    ASSERT_NE(d, nullptr) << c.tool << " " << c.name;
    EXPECT_EQ(d->Min, c.min) << c.name;
    EXPECT_EQ(d->Max, c.max) << c.name;
    EXPECT_EQ(d->Default, c.def) << c.name;
    EXPECT_EQ(c.structValue, c.def) << c.name;
  }
  EXPECT_STREQ(FindBrushTool(kToolBrush)->Caption, "Opcje Pędzla");
  EXPECT_STREQ(FindBrushTool(kToolSpray)->Caption, "Opcje Spreja");
  EXPECT_STREQ(FindBrushTool(kToolRedEye)->WindowClass, "TFormRedEye");
  EXPECT_STREQ(FindBrushTool(kToolRedEye)->Caption, "Usuwanie efektu czerwonych oczu");
  EXPECT_STREQ(FindBrushTool(kToolBucket)->Find("Tolerant")->Caption, "Tolerancja:");
}

TEST(StrokeLabel, OneLabelPerBrushTool) {
  const struct {
    int tool;
    const char* label;
  } cases[] = {{16, "Sprej"},
               {17, "Pędzel jasności"},
               {18, "Pędzel ściemniania"},
               {19, "Pędzel rozmycia"},
               {20, "Pędzel szarości"},
               {21, "Stempel"},
               {22, "Pędzel wyostrzania"},
               {25, "Usuwanie czerwonych oczu"},
               {26, "Pędzel korygujący"},
               {27, "Pędzel historii"},
               {28, "Pędzel"},
               {29, "Wiadro"},
               {30, "Pędzel zmiany barwy"},
               {33, "Pędzel zmiany koloru"}};
  for (const auto& c : cases) {
    EXPECT_STREQ(StrokeLabel(c.tool), c.label);
    EXPECT_TRUE(StrokeAddsHistoryEntry(c.tool, c.tool == kToolBrushHistory));
  }
  EXPECT_EQ(StrokeLabel(36), nullptr);
  EXPECT_FALSE(StrokeAddsHistoryEntry(kToolBrushHistory, false));
  EXPECT_TRUE(StrokeAddsHistoryEntry(kToolBrushHistory, true));
  EXPECT_FALSE(StrokeAddsHistoryEntry(0, true));
}

TEST(HasBrushOutline, ToolsWithASizeSlider) {
  for (int id = 0; id < 40; ++id) {
    const bool expected = (id >= 16 && id <= 22) || (id >= 25 && id <= 30) || id == 33 || id == 36;
    EXPECT_EQ(HasBrushOutline(id), expected) << id;
  }
}

TEST(DisplayToPicture, MultipliesFirstAndTruncates) {
  EXPECT_EQ(DisplayToPicture(350, 250, 1400, 1000, 700, 500), (DabPoint{700, 500}));
  EXPECT_EQ(DisplayToPicture(351, 251, 1400, 1000, 1400, 1000), (DabPoint{351, 251})) << "zoom 100: 1:1";
  EXPECT_EQ(DisplayToPicture(2, 2, 10, 10, 3, 3), (DabPoint{6, 6}));       // 20 / 3
  EXPECT_EQ(DisplayToPicture(-1, -1, 3, 3, 2, 2), (DabPoint{-1, -1}));     // -3 / 2 toward zero
  EXPECT_EQ(DisplayToPicture(30000, 29999, 6000, 4000, 30000, 30000), (DabPoint{6000, 3999}));
  EXPECT_EQ(DisplayToPicture(5, 5, 100, 100, 0, 0), (DabPoint{0, 0}));
}

TEST(StrokeSpacing, OnlyThePlainBrushSpacesByItsSize) {
  EXPECT_EQ(StrokeSpacing(kToolBrush, 150), 1);
  EXPECT_EQ(StrokeSpacing(kToolBrush, 100), 1);
  EXPECT_EQ(StrokeSpacing(kToolBrush, 99), 0);
  EXPECT_EQ(StrokeSpacing(kToolSpray, 150), 0);
}

TEST(StrokeSpacing, SpacingZeroPassesEverySecondMove) {
  CStrokeSpacing s;
  s.Press(0, 0);
  std::string passed;
  for (int x = 1; x <= 8; ++x) passed += s.PassMove(x * 2, 0, 0) ? 'P' : '.';
  EXPECT_EQ(passed, ".P.P.P.P");
  CStrokeSpacing still;
  still.Press(5, 5);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(still.PassMove(5, 5, 0)) << "no travel, nothing passed";
}

TEST(StrokeSpacing, SpacingOnePassesOnceMoreThanOnePixelWasTravelled) {
  CStrokeSpacing s;
  s.Press(0, 0);
  EXPECT_FALSE(s.PassMove(1, 0, 1));  // travel 1
  EXPECT_FALSE(s.PassMove(1, 1, 1));  // 1, 1: not more than 1
  EXPECT_FALSE(s.PassMove(1, 2, 1));  // y travel 2
  EXPECT_TRUE(s.PassMove(1, 3, 1));
  EXPECT_EQ(s.StrokeDistanceX, 0);
  EXPECT_EQ(s.StrokeDistanceY, 0);
}

TEST(StrokeSpacing, TravelCarriesOverAndPressResetsOnlyThePosition) {
  CStrokeSpacing s;
  s.Press(0, 0);
  EXPECT_FALSE(s.PassMove(7, 0, 0));
  s.Press(100, 100);  // the next stroke
  EXPECT_EQ(s.StrokeDistanceX, 7);
  EXPECT_EQ(s.LastPointerX, 100);
  EXPECT_TRUE(s.PassMove(300, 300, 0)) << "the first move of the new stroke passes on the old travel";
}

TEST(StampSource, PressWrapsToTheFarEdgeMinusOne) {
  const struct {
    int sx, sy, ex, ey;
  } cases[] = {{-5, 90, 99, 0}, {100, 80, 100, 80}, {101, -1, 0, 79}, {50, 40, 50, 40}};
  for (const auto& c : cases) {
    CStampSource s;
    s.SetSource(c.sx, c.sy);
    s.Press(10, 12, 100, 80);
    EXPECT_TRUE(s.StampSourceSet);
    EXPECT_EQ(s.StampSourceX, c.ex) << c.sx;
    EXPECT_EQ(s.StampSourceY, c.ey) << c.sy;
    EXPECT_EQ(s.StampLastX, 10);
    EXPECT_EQ(s.StampLastY, 12);
  }
}

TEST(StampSource, DragKeepsTheOffsetAndWrapsToTheFarEdge) {
  CStampSource s;
  s.SetSource(50, 40);
  s.Press(10, 10, 100, 80);
  s.Drag(20, 30, 100, 80);
  EXPECT_EQ(s.StampSourceX - 20, 40);
  EXPECT_EQ(s.StampSourceY - 30, 30);
  s.Drag(25, 35, 100, 80);
  EXPECT_EQ(s.StampSourceX, 65);
  EXPECT_EQ(s.StampSourceY, 65);
  s.Drag(25, 51, 100, 80);  // 65 + 16 = 81 beyond the height: 0
  EXPECT_EQ(s.StampSourceY, 0);
  s.Drag(25, 50, 100, 80);  // -1: the height itself
  EXPECT_EQ(s.StampSourceY, 80);
  s.Drag(-41, 50, 100, 80);  // 65 - 66 = -1: the width itself
  EXPECT_EQ(s.StampSourceX, 100);
  EXPECT_EQ(s.SourceOnPicture(200, 160, 100, 80), (DabPoint{200, 160}));
  s.Reset();
  EXPECT_FALSE(s.StampSourceSet);
}

// A 40 x 40 picture shown at 20 x 20, red x and green y in every pixel.
struct Window {
  Bitmap work{40, 40};
  Bitmap backup{40, 40};
  SelectionMask mask{40, 40, 100};
  CPixelEngine engine;
  BrushToolSettings set;
  CStampSource stamp;
  HistorySources history;
  Window() {
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) backup.Set(x, y, MakePixel(x, y, 0));
    work = backup;
    set.Stamp.Wielkosc = set.Brush.Wielkosc = set.Bucket.Wielkosc = 2;
    set.Stamp.Twardosc = set.Brush.Twardosc = 100;
  }
  DabTarget Target() { return DabTarget{engine, work, backup, mask, kChannelAll, MakePacked(255, 255, 255)}; }
  Pixel At(int x, int y) const { return work.At(x, y); }
};

TEST(BrushRouting, PressAndDragDabAtThePictureOfThePointer) {
  Window w;
  EXPECT_EQ(BrushLeftPress(kToolBrush, w.Target(), 5, 6, 20, 20, w.set, w.stamp, w.history), DabStatus::Done);
  EXPECT_EQ(w.At(10, 12), MakePixel(255, 255, 255)) << "display (5, 6) is picture (10, 12)";
  BrushLeftDrag(kToolBrush, w.Target(), 15, 6, 20, 20, w.set, w.stamp, w.history);
  EXPECT_EQ(w.At(30, 12), MakePixel(255, 255, 255));
  EXPECT_EQ(w.At(20, 12), w.backup.At(20, 12)) << "nothing between two positions";
  EXPECT_FALSE(BrushRightPressOrDrag(kToolBrush, 1, 1, w.stamp)) << "the window pans";
}

TEST(BrushRouting, PressOnlyToolsIgnoreTheDrag) {
  for (int tool : {kToolBucket, kToolRedEye, kToolCorrectionBrush}) {
    Window w;
    BrushLeftDrag(tool, w.Target(), 5, 6, 20, 20, w.set, w.stamp, w.history);
    EXPECT_TRUE(w.work == w.backup) << tool;
  }
  Window w;
  BrushLeftPress(0, w.Target(), 5, 6, 20, 20, w.set, w.stamp, w.history);
  EXPECT_TRUE(w.work == w.backup) << "not a brush";
}

TEST(BrushRouting, StampCopiesFromTheRightClickAndFollowsThePointer) {
  Window w;
  EXPECT_EQ(BrushLeftPress(kToolStamp, w.Target(), 5, 5, 20, 20, w.set, w.stamp, w.history),
            DabStatus::NoStampSource);
  EXPECT_TRUE(w.work == w.backup);
  EXPECT_TRUE(BrushRightPressOrDrag(kToolStamp, 2, 3, w.stamp));
  // Source (2, 3) is picture (4, 6); the press at display (5, 5), picture (10, 10).
  BrushLeftPress(kToolStamp, w.Target(), 5, 5, 20, 20, w.set, w.stamp, w.history);
  EXPECT_EQ(w.At(10, 10), MakePixel(4, 6, 0));
  // A drag by (3, 1): the source moves to (5, 4), picture (10, 8), under the pointer's picture (16, 12).
  BrushLeftDrag(kToolStamp, w.Target(), 8, 6, 20, 20, w.set, w.stamp, w.history);
  EXPECT_EQ(w.stamp.StampSourceX, 5);
  EXPECT_EQ(w.stamp.StampSourceY, 4);
  EXPECT_EQ(w.At(16, 12), MakePixel(10, 8, 0));
}

TEST(BrushCursor, OutlineUnderThePointerOnThePicture) {
  Bitmap pic(1024, 600, MakePixel(0, 0, 0));
  pic.Set(10, 10, MakePixel(255, 100, 200));
  const BrushCursorPlan p = PlanBrushCursor(pic, 5, 5, 30, true, 512, 300);
  EXPECT_EQ(p.PenColor, MakePacked(0, 255, 0)) << "contrasting to (255, 100, 200)";
  EXPECT_EQ(p.PenWidth, 2);
  EXPECT_EQ((std::array<int, 4>{p.Left, p.Top, p.Right, p.Bottom}), (std::array<int, 4>{-20, -20, 40, 40}));
  EXPECT_EQ((std::array<int, 4>{p.RestoreLeft, p.RestoreTop, p.RestoreRight, p.RestoreBottom}),
            (std::array<int, 4>{-490, -490, 510, 510}));
  EXPECT_EQ(PlanBrushCursor(Bitmap(100, 80), 1, 1, 3, false, 0, 0).PenWidth, 0);
}

// The commit copies a stroke's rectangle; rectangles reaching beyond the
// picture copy what lies inside and nothing else.
TEST(CopyArea, CopiesTheRectangleClippedToThePictures) {
  struct Case {
    int Left, Top, W, H;
  };
  const Case cases[] = {{2, 1, 3, 2}, {-5, -5, 7, 6}, {4, 3, 100, 100}, {-10, 0, 5, 4}, {0, 0, 0, 4}, {6, 0, 3, 3}};
  for (const Case& c : cases) {
    Bitmap from(6, 4), to(6, 4, MakePixel(0, 0, 0));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) from.Set(x, y, MakePixel(x * 40, y * 60, 7));
    CopyArea(from, to, c.Left, c.Top, c.W, c.H);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool inside = x >= c.Left && x < c.Left + c.W && y >= c.Top && y < c.Top + c.H;
        EXPECT_EQ(to.At(x, y), inside ? from.At(x, y) : MakePixel(0, 0, 0)) << c.Left << "," << c.Top << " " << x
                                                                            << "," << y;
      }
  }
}

}  // namespace
}  // namespace rv
