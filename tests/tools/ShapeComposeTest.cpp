// Composing a drawn figure into the working picture: only the pixels where
// the scratch differs are touched, through blend mode, opacity and selection.
#include <gtest/gtest.h>

#include "engine/Random.h"
#include "support/FilterTestSupport.h"
#include "tools/core/ShapeCompose.h"

namespace rv {
namespace {

using test::Noise;
using test::RgbAt;

struct Case {
  Bitmap backup;
  Bitmap work;
  Bitmap scratch;
  SelectionMask mask;
  CPixelEngine engine;
  explicit Case(const Bitmap& b) : backup(b), work(b), scratch(b), mask(b.Width(), b.Height(), 100) {}
  // A filled block of the scratch, as a figure would leave it.
  void Paint(int x0, int y0, int x1, int y1, Pixel p) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) scratch.Set(x, y, p);
  }
  void Compose(ShapeComposeArgs a, bool reference = false) {
    if (a.Region.Empty()) a.Region = WholePicture(work.Width(), work.Height());
    if (reference)
      ComposeShapeReference(engine, work, backup, scratch, mask, a);
    else
      ComposeShape(engine, work, backup, scratch, mask, a);
  }
};

TEST(ShapeCompose, FullOpacityGivesTheScratchAndLeavesTheRestBitIdentical) {
  Case c(Noise(20, 12, 3));
  // Marks in the fourth byte show which pixels were written.
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) c.work.Set(x, y, c.work.At(x, y) & 0x00FFFFFFu);
  c.backup = c.work;
  c.scratch = c.work;
  c.Paint(4, 3, 9, 8, MakePixel(10, 200, 30));
  c.Compose({});
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 4 && x < 9 && y >= 3 && y < 8;
      EXPECT_EQ(RgbAt(c.work, x, y), RgbAt(c.scratch, x, y)) << x << "," << y;
      if (!inside) {
        EXPECT_EQ(c.work.At(x, y), c.backup.At(x, y)) << x << "," << y;
      }
    }
}

TEST(ShapeCompose, HalfOpacityIsTheTruncatedAverage) {
  struct Row {
    Rgb picture, figure, expected;
  };
  const Row rows[] = {
      {{0, 0, 0}, {255, 255, 255}, {127, 127, 127}},
      {{255, 255, 255}, {0, 0, 0}, {127, 127, 127}},
      {{10, 101, 200}, {201, 0, 55}, {105, 50, 127}},
  };
  for (const Row& r : rows) {
    Case c(test::Uniform(6, 6, r.picture));
    c.Paint(1, 1, 5, 5, MakePixel(r.figure.r, r.figure.g, r.figure.b));
    ShapeComposeArgs a;
    a.Transparent = 50;
    c.Compose(a);
    EXPECT_EQ(RgbAt(c.work, 2, 2), r.expected);
    EXPECT_EQ(RgbAt(c.work, 0, 0), r.picture);
    EXPECT_EQ(c.work.At(5, 5), c.backup.At(5, 5));
  }
}

TEST(ShapeCompose, UnselectedPixelsStayAsTheyWere) {
  Case c(Noise(16, 16, 9));
  c.Paint(0, 0, 16, 16, MakePixel(255, 0, 255));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) c.mask.Set(x, y, x < 8 ? 0 : 100);
  for (int opacity : {100, 50, 1}) {
    c.work = c.backup;
    ShapeComposeArgs a;
    a.Transparent = opacity;
    c.Compose(a);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x) ASSERT_EQ(c.work.At(x, y), c.backup.At(x, y)) << opacity;
    if (opacity == 100) {
      EXPECT_EQ(RgbAt(c.work, 12, 3), (Rgb{255, 0, 255}));
    }
  }
}

TEST(ShapeCompose, PixelsTheFigureLeavesInTheirColourAreNotComposed) {
  // "Mnożenie" would darken a mid-grey pixel even under a figure of the same
  // grey; only the pixels whose colour the figure changed may be composed.
  const int multiply = FindBlendMode("Mnożenie");
  ASSERT_GE(multiply, 0);
  Case c(test::Uniform(8, 4, {128, 128, 128}));
  c.Paint(0, 0, 4, 4, MakePixel(128, 128, 128));  // same colour: no change
  c.Paint(4, 0, 8, 4, MakePixel(128, 128, 127));  // one channel differs
  ShapeComposeArgs a;
  a.Tryb = multiply;
  c.Compose(a);
  EXPECT_EQ(RgbAt(c.work, 1, 1), (Rgb{128, 128, 128}));
  const Rgb changed = RgbAt(c.work, 5, 1);
  EXPECT_NE(changed, (Rgb{128, 128, 128}));
  EXPECT_LT(changed.r, 128);
}

TEST(ShapeCompose, OnlyTheRegionIsScanned) {
  Case c(Noise(30, 20, 5));
  c.Paint(0, 0, 30, 20, MakePixel(1, 2, 3));
  ShapeComposeArgs a;
  a.Region = ShapeScanRegion(30, 20, 12, 9, 5, 4, 2);  // reversed corners
  EXPECT_EQ(a.Region, (ShapeRegion{3, 14, 2, 11}));
  c.Compose(a);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool in = x >= 3 && x < 14 && y >= 2 && y < 11;
      EXPECT_EQ(c.work.At(x, y), in ? c.scratch.At(x, y) : c.backup.At(x, y)) << x << "," << y;
    }
}

TEST(ShapeCompose, AScratchOfTheRegionAloneGivesTheSamePicture) {
  Case whole(Noise(40, 30, 11));
  whole.Paint(7, 5, 25, 21, MakePixel(200, 40, 90));
  const ShapeRegion r = ShapeScanRegion(40, 30, 9, 7, 23, 19, 3);
  ShapeComposeArgs a;
  a.Region = r;
  a.Transparent = 63;
  whole.Compose(a);
  Case part(whole.backup);
  part.scratch = whole.scratch.Copy(r.x0, r.y0, r.Width(), r.Height());
  a.ScratchLeft = r.x0;
  a.ScratchTop = r.y0;
  part.Compose(a);
  EXPECT_EQ(part.work, whole.work);
}

TEST(ShapeCompose, ScanRegionsAreLimitedToThePicture) {
  struct Row {
    int xa, ya, xb, yb, size;
    ShapeRegion expected;
  };
  const Row rows[] = {
      {2, 3, 8, 9, 5, {0, 13, 0, 14}},
      {90, 50, 98, 58, 5, {85, 100, 45, 60}},
      {-50, -50, -20, -20, 5, {0, 0, 0, 0}},
      {10, 10, 10, 10, 1, {9, 11, 9, 11}},
  };
  for (const Row& r : rows) EXPECT_EQ(ShapeScanRegion(100, 60, r.xa, r.ya, r.xb, r.yb, r.size), r.expected);
  EXPECT_EQ(FramingRegion(100, 60, 70, 50, 10, 5), (ShapeRegion{10, 70, 5, 50}));
  EXPECT_EQ(FramingRegion(100, 60, 0, 0, 100, 60), (ShapeRegion{0, 100, 0, 60}));
}

TEST(ShapeCompose, UnionAndRegionCopy) {
  EXPECT_EQ(Union({2, 5, 3, 4}, {}), (ShapeRegion{2, 5, 3, 4}));
  EXPECT_EQ(Union({}, {1, 2, 1, 2}), (ShapeRegion{1, 2, 1, 2}));
  EXPECT_EQ(Union({2, 5, 3, 4}, {0, 3, 6, 9}), (ShapeRegion{0, 5, 3, 9}));
  const Bitmap src = Noise(10, 8, 1);
  Bitmap dst = Noise(10, 8, 2);
  const Bitmap before = dst;
  CopyRegion(dst, src, {3, 14, -2, 5});  // reaches past the right and top edges
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(dst.At(x, y), (x >= 3 && y < 5) ? src.At(x, y) : before.At(x, y)) << x << "," << y;
}

// The fast path against the reference over every mode, channel and a spread
// of opacities and mask values.
TEST(ShapeCompose, FastPathEqualsTheReference) {
  const Bitmap picture = Noise(24, 10, 21);
  for (int mode = 0; mode < kBlendModeCount; ++mode)
    for (int channel = kChannelAll; channel <= kChannelBlue; ++channel)
      for (int opacity : {100, 77, 50, 33, 1, 0}) {
        Case fast(picture);
        fast.scratch = Noise(24, 10, 77);
        fast.Paint(0, 0, 6, 10, MakePixel(0, 0, 0));
        for (int y = 0; y < 10; ++y)
          for (int x = 0; x < 24; ++x) fast.mask.Set(x, y, x >= 18 ? 100 : static_cast<std::uint8_t>((x * 13 + y * 7) % 101));
        Case ref(picture);
        ref.scratch = fast.scratch;
        ref.mask = fast.mask;
        ShapeComposeArgs a;
        a.Tryb = mode;
        a.Channel = channel;
        a.Transparent = opacity;
        SeedRandom(5);
        fast.Compose(a);
        SeedRandom(5);
        ref.Compose(a, true);
        ASSERT_EQ(fast.work, ref.work) << "mode " << mode << " channel " << channel << " opacity " << opacity;
      }
}

}  // namespace
}  // namespace rv
