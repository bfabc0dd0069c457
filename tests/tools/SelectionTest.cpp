// The selection tools' pixel work: wand, its preview, the mask brush and the
// masks made from drawn shapes and text.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/core/BrushDabs.h"
#include "tools/core/Selection.h"

namespace rv {
namespace {

Bitmap Noise(int w, int h, unsigned seed) {
  Bitmap b(w, h);
  unsigned s = seed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      // Few distinct values, so that exact matches occur.
      b.Set(x, y, MakePixel((s >> 8) & 0xE0, (s >> 16) & 0xC0, (s >> 24) & 0xF0));
    }
  return b;
}

TEST(Wand, ValueByDifferenceToleranceAndStrength) {
  struct Case {
    int Tolerant, Sila;
    Pixel P;
    int Expected;
  } cases[] = {
      // Reference (100, 100, 100) throughout.
      {200, 100, MakePixel(100, 100, 100), 100},
      {200, 100, MakePixel(150, 50, 100), 50},   // summed difference 100
      {200, 100, MakePixel(0, 0, 0), 0},         // 300: q limited to 100
      {1, 100, MakePixel(100, 100, 100), 100},   // tolerance 1: only the equal colour
      {1, 100, MakePixel(101, 100, 100), 0},
      {1, 100, MakePixel(100, 100, 99), 0},
      {200, 40, MakePixel(100, 100, 100), 40},
      {200, 40, MakePixel(140, 100, 100), 20},   // q 20
      {200, 40, MakePixel(180, 100, 100), 0},    // q 40: exactly gone
      {200, 40, MakePixel(190, 100, 100), 0},    // q 45
      {800, 100, MakePixel(255, 255, 255), 42},  // 465 * 100 / 800 = 58
      {3, 0, MakePixel(100, 100, 100), 0},       // strength 0 selects nothing
  };
  for (const Case& c : cases) {
    Bitmap pic(3, 2, MakePixel(100, 100, 100));
    pic.Set(2, 1, c.P);
    SelectionMask mask(3, 2, 77);
    WandSelect(pic, MakePixel(100, 100, 100), {c.Tolerant, c.Sila}, mask);
    EXPECT_EQ(mask.At(2, 1), c.Expected) << c.Tolerant << " " << c.Sila;
    EXPECT_EQ(mask.At(0, 0), c.Sila) << "the reference colour gets the full strength";
  }
}

TEST(Wand, SelectsEqualPixelsAnywhereNotOnlyConnected) {
  Bitmap pic(5, 1, MakePixel(0, 0, 0));
  pic.Set(0, 0, MakePixel(10, 20, 30));
  pic.Set(4, 0, MakePixel(10, 20, 30));
  SelectionMask mask(5, 1, 0);
  WandSelect(pic, MakePixel(10, 20, 30), {1, 100}, mask);
  const std::uint8_t expected[] = {100, 0, 0, 0, 100};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(mask.At(x, 0), expected[x]) << x;
}

TEST(Wand, TableEqualsThePerPixelFormula) {
  const Bitmap pic = Noise(97, 61, 7);
  for (const WandOptions o : {WandOptions{1, 100}, WandOptions{200, 100}, WandOptions{37, 40}, WandOptions{800, 73}}) {
    for (const Pixel ref : {pic.At(0, 0), pic.At(50, 30), MakePixel(255, 0, 128)}) {
      SelectionMask fast(97, 61, 5), plain(97, 61, 9);
      WandSelect(pic, ref, o, fast);
      WandSelect(pic, ref, o, plain, true);
      EXPECT_EQ(fast, plain) << o.Tolerant << " " << o.Sila;
    }
  }
}

TEST(Wand, PreviewTintsTowardRedByTheMask) {
  Bitmap pic(3, 1, MakePixel(100, 100, 100));
  SelectionMask mask(3, 1, 0);
  mask.Set(1, 0, 50);
  mask.Set(2, 0, 100);
  Bitmap preview;
  WandPreview(pic, mask, preview);
  ASSERT_EQ(preview.Width(), 3);
  EXPECT_EQ(preview.At(0, 0) & 0xFFFFFFu, MakePixel(100, 100, 100) & 0xFFFFFFu);  // unselected: as it is
  EXPECT_EQ(preview.At(1, 0) & 0xFFFFFFu, MakePixel(177, 50, 50) & 0xFFFFFFu);    // 127.5 + 50
  EXPECT_EQ(preview.At(2, 0) & 0xFFFFFFu, MakePixel(255, 0, 0) & 0xFFFFFFu);

  const Bitmap noise = Noise(64, 40, 3);
  SelectionMask m2(64, 40, 0);
  WandSelect(noise, noise.At(3, 3), {150, 100}, m2);
  Bitmap fast, plain;
  WandPreview(noise, m2, fast);
  WandPreview(noise, m2, plain, true);
  EXPECT_TRUE(SameColors(fast, plain));
}

TEST(MaskBrush, HardnessStrengthAndTint) {
  struct Case {
    int Twardosc, Moc, Old;
    int D;          // distance of the probed pixel left of the centre (the box's right edge is exclusive)
    int Expected;   // mask value there
  } cases[] = {
      {100, 70, 0, 0, 70},   // a hard brush writes the strength in the whole disc
      {100, 70, 0, 9, 70},
      {100, 70, 0, 10, 70},  // d = r still inside
      {0, 100, 0, 0, 100},   // soft brush: full at the centre
      {0, 100, 0, 5, 50},    // f = 50
      {0, 100, 20, 5, 60},   // 100 * 0.5 + 20 * 0.5
      {0, 100, 20, 10, 20},  // the rim keeps the old value
      {50, 100, 0, 5, 100},  // f = 50 - 50 = 0
      {0, 0, 80, 0, 0},      // strength 0 erases
  };
  for (const Case& c : cases) {
    Bitmap work(41, 41, MakePixel(0, 100, 200));
    Bitmap display = work;
    SelectionMask mask(41, 41, static_cast<std::uint8_t>(c.Old));
    MaskDab(work, &display, mask, {20, 20}, {10, c.Twardosc, c.Moc});
    EXPECT_EQ(mask.At(20 - c.D, 20), c.Expected) << c.Twardosc << " " << c.Moc << " d " << c.D;
    EXPECT_EQ(mask.At(31, 20), c.Old) << "outside the disc";
    EXPECT_EQ(mask.At(28, 28), c.Old) << "corner of the box, distance 11";
    EXPECT_EQ(work.At(31, 20), MakePixel(0, 100, 200));
    EXPECT_TRUE(SameColors(work, display)) << "the tint is shown as it is kept";
  }
  // The tint at the centre of a soft brush is pure red; half way it is half.
  Bitmap work(41, 41, MakePixel(0, 100, 200));
  SelectionMask mask(41, 41, 0);
  MaskDab(work, nullptr, mask, {20, 20}, {10, 0, 100});
  EXPECT_EQ(work.At(20, 20) & 0xFFFFFFu, MakePixel(255, 0, 0) & 0xFFFFFFu);
  EXPECT_EQ(work.At(15, 20) & 0xFFFFFFu, MakePixel(127, 50, 100) & 0xFFFFFFu);
}

TEST(MaskBrush, DiscAtTheEdgeStaysInThePicture) {
  Bitmap work(5, 4, MakePixel(9, 9, 9));
  SelectionMask mask(5, 4, 0);
  MaskDab(work, nullptr, mask, {0, 0}, {150, 100, 100});
  MaskDab(work, nullptr, mask, {-5000, 9000}, {150, 100, 100});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(mask.At(x, y), 100);
}

TEST(SelectionShapes, CoverageAndChangeGiveTheStrength) {
  // A rectangle from (10, 10) to (20, 15) drawn black on white.
  Bitmap coverage(30, 20, MakePixel(255, 255, 255));
  const SelectionBox box = OrderedBox(20, 15, 10, 10);  // reversed corners
  EXPECT_EQ(box, (SelectionBox{10, 10, 20, 15}));
  for (int y = box.Y0; y < box.Y1; ++y)
    for (int x = box.X0; x < box.X1; ++x) coverage.Set(x, y, MakePixel(0, 0, 0));
  SelectionMask mask(30, 20, 100);
  MaskFromCoverage(coverage, 60, mask);
  int selected = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 10 && x < 20 && y >= 10 && y < 15;
      EXPECT_EQ(mask.At(x, y), inside ? 60 : 0) << x << "," << y;
      selected += inside;
    }
  EXPECT_EQ(selected, 50);

  // Text: only pixels whose colour changed; the fourth byte does not count.
  Bitmap backup(4, 1, MakePixel(0, 0, 0));
  Bitmap drawn = backup;
  drawn.Set(1, 0, MakePixel(0, 0, 1));
  drawn.Set(2, 0, backup.At(2, 0) & 0x00FFFFFFu);
  SelectionMask tm(4, 1, 100);
  MaskFromChange(drawn, backup, 35, tm);
  const std::uint8_t expected[] = {0, 35, 0, 0};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(tm.At(x, 0), expected[x]) << x;
}

// A brush dab over a committed rectangle selection of strength 100 changes
// only the selected pixels.
TEST(SelectionShapes, BrushDabActsOnlyOnTheSelection) {
  Bitmap backup(40, 40, MakePixel(200, 200, 200));
  Bitmap work = backup;
  Bitmap coverage(40, 40, MakePixel(255, 255, 255));
  for (int y = 5; y < 20; ++y)
    for (int x = 5; x < 20; ++x) coverage.Set(x, y, 0);
  SelectionMask mask(40, 40);
  MaskFromCoverage(coverage, 100, mask);
  CPixelEngine engine;
  DabTarget t{engine, work, backup, mask, kChannelAll, MakePacked(0, 0, 0), false};
  BrushOptions o;
  o.Wielkosc = 30;
  o.Twardosc = 100;
  ASSERT_EQ(DabBrush(t, {12, 12}, o), DabStatus::Done);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool selected = x >= 5 && x < 20 && y >= 5 && y < 20;
      EXPECT_EQ(work.At(x, y) & 0xFFFFFFu, selected ? 0u : (MakePixel(200, 200, 200) & 0xFFFFFFu)) << x << "," << y;
    }
}

}  // namespace
}  // namespace rv
