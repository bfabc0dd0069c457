// The dabs of the brush tools: the disc walk shared by all of them, each
// tool's candidate and its own rules, and the draws of the spray.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "support/FilterTestSupport.h"
#include "tools/core/BrushDabs.h"
#include "tools/core/ColourParts.h"

namespace rv {
namespace {

using test::RgbAt;

// The generator written out again from its definition, independent of rv::Random().
struct Lcg {
  std::uint32_t state;
  int Next() {
    state = state * 22695477u + 1u;
    return static_cast<int>((state >> 16) & 32767u);
  }
};

struct Scene {
  Bitmap work;
  Bitmap backup;
  SelectionMask mask;
  CPixelEngine engine;
  PackedColor primary = MakePacked(255, 255, 255);
  int channel = kChannelAll;
  bool plain = false;

  Scene(int w, int h, Rgb fill) : work(w, h, MakePixel(fill.r, fill.g, fill.b)), backup(work), mask(w, h, 100) {}
  explicit Scene(const Bitmap& b) : work(b), backup(b), mask(b.Width(), b.Height(), 100) {}
  DabTarget Target() { return DabTarget{engine, work, backup, mask, channel, primary, plain}; }
};

// A picture whose pixel (x, y) holds red x and green y, to see where a candidate was read.
Bitmap Coordinates(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, MakePixel(x, y, 7));
  return b;
}

BrushOptions Hard(int r) {
  BrushOptions o;
  o.Wielkosc = r;
  o.Twardosc = 100;
  return o;
}

// ---------------------------------------------------------------- skeleton

TEST(DabSkeleton, DiscByTruncatedDistanceWithExclusiveRightAndBottom) {
  Scene s(30, 30, {0, 0, 0});
  DabBrush(s.Target(), {10, 10}, Hard(5));
  struct Case {
    int x, y;
    bool painted;
  } cases[] = {
      {10, 10, true},   // centre
      {5, 10, true},    // left edge x - r is inside, d = 5
      {10, 5, true},    // top edge
      {15, 10, false},  // x + r is excluded although d = 5
      {10, 15, false},  // y + r likewise
      {14, 10, true},   // d = 4
      {6, 6, true},     // sqrt(32) = 5.66 truncates to 5
      {5, 7, true},     // sqrt(34) = 5.83 truncates to 5
      {5, 6, false},    // sqrt(41) = 6.40: outside
      {4, 10, false},   // outside the box
  };
  for (const Case& c : cases)
    EXPECT_EQ(s.work.At(c.x, c.y) == MakePixel(255, 255, 255), c.painted) << c.x << ", " << c.y;
  EXPECT_EQ(s.backup.At(10, 10), MakePixel(0, 0, 0)) << "the source is never written";
}

TEST(DabSkeleton, HardnessZeroFallsLinearlyToTheRim) {
  Scene s(40, 40, {0, 0, 0});
  BrushOptions o;
  o.Wielkosc = 10;
  o.Twardosc = 0;
  DabBrush(s.Target(), {20, 20}, o);
  // White over black: 255 * F1 with F1 = (100 - d * 100 / 10) * 0.01 in single precision.
  const struct {
    int d, v;
  } cases[] = {{0, 255}, {3, 178} /* 255 * 0.699999988 */, {5, 127}, {9, 25}, {10, 0}};
  for (const auto& c : cases) EXPECT_EQ(RgbAt(s.work, 20 + c.d, 20).r, c.v) << "d " << c.d;
}

TEST(DabSkeleton, HardnessHundredGivesTheFullEffectOnTheWholeDisc) {
  Scene s(40, 40, {0, 0, 0});
  BrushOptions o = Hard(10);
  DabBrush(s.Target(), {20, 20}, o);
  for (int x = 10; x <= 20; ++x) EXPECT_EQ(RgbAt(s.work, x, 20).r, 255) << x;
}

TEST(DabSkeleton, CornerDabTouchesOnlyThePicture) {
  for (DabPoint c : {DabPoint{0, 0}, DabPoint{-3, -2}, DabPoint{7, 7}, DabPoint{9, 3}}) {
    Scene s(8, 8, {0, 0, 0});
    DabBrush(s.Target(), c, Hard(5));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const int dx = x - c.X, dy = y - c.Y;
        const bool inBox = x >= c.X - 5 && x < c.X + 5 && y >= c.Y - 5 && y < c.Y + 5;
        const bool inDisc = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy))) <= 5;
        EXPECT_EQ(RgbAt(s.work, x, y).r, inBox && inDisc ? 255 : 0) << c.X << "," << c.Y << " at " << x << "," << y;
      }
  }
  for (DabPoint c : {DabPoint{1000, -1000}, DabPoint{INT_MAX, INT_MAX}, DabPoint{INT_MIN, 3}, DabPoint{158, 3}}) {
    Scene far(8, 8, {0, 0, 0});
    DabBrush(far.Target(), c, Hard(150));
    EXPECT_TRUE(far.work == far.backup) << c.X;
  }
  Scene near(8, 8, {0, 0, 0});
  DabBrush(near.Target(), {157, 3}, Hard(150));
  EXPECT_EQ(RgbAt(near.work, 7, 3).r, 255) << "150 away: the rim still reaches the last column";
}

TEST(DabSkeleton, SelectionAndTransparencyWeights) {
  Scene s(20, 1, {0, 0, 0});
  s.mask.Set(3, 0, 0);
  s.mask.Set(4, 0, 50);
  BrushOptions o = Hard(10);
  DabBrush(s.Target(), {5, 0}, o);
  EXPECT_EQ(RgbAt(s.work, 3, 0).r, 0) << "unselected";
  EXPECT_EQ(RgbAt(s.work, 4, 0).r, 127) << "255 * 0.5";
  EXPECT_EQ(RgbAt(s.work, 5, 0).r, 255);
  Scene h(20, 1, {0, 0, 0});
  o.Przezroczystosc = 50;
  DabBrush(h.Target(), {5, 0}, o);
  EXPECT_EQ(RgbAt(h.work, 5, 0).r, 127);
  o.Przezroczystosc = 0;
  Scene z(20, 1, {9, 9, 9});
  DabBrush(z.Target(), {5, 0}, o);
  EXPECT_TRUE(z.work == z.backup);
}

TEST(DabSkeleton, UnselectedPixelKeepsWhatEarlierDabsLeft) {
  // The working picture already differs from the backup: an unselected pixel keeps the working value.
  Scene s(10, 1, {0, 0, 0});
  s.work.Set(5, 0, MakePixel(40, 50, 60));
  s.mask.Set(5, 0, 0);
  BrushOptions o;
  o.Wielkosc = 4;
  o.Przezroczystosc = 37;
  DabBrush(s.Target(), {5, 0}, o);
  EXPECT_EQ(s.work.At(5, 0), MakePixel(40, 50, 60));
}

TEST(DabSkeleton, OverlappingDabsDoNotCompoundTheirCentres) {
  Scene s(20, 20, {0, 0, 0});
  BrushOptions o = Hard(5);
  o.Przezroczystosc = 50;
  for (int i = 0; i < 3; ++i) DabBrush(s.Target(), {10, 10}, o);
  EXPECT_EQ(RgbAt(s.work, 10, 10).r, 127);
}

TEST(DabSkeleton, ActiveChannelWritesOnlyItsByte) {
  Scene s(10, 10, {10, 20, 30});
  s.channel = kChannelGreen;
  s.primary = MakePacked(200, 150, 100);
  DabBrush(s.Target(), {5, 5}, Hard(3));
  EXPECT_EQ(RgbAt(s.work, 5, 5), (Rgb{10, 150, 30}));
}

TEST(DabSkeleton, MaskNotCoveringThePictureCountsAsSelected) {
  Scene s(10, 10, {0, 0, 0});
  s.mask = SelectionMask();
  DabBrush(s.Target(), {5, 5}, Hard(3));
  EXPECT_EQ(RgbAt(s.work, 5, 5).r, 255);
}

TEST(DabSkeleton, DissolveKeepsTheCentreSolidAndScattersTheRim) {
  // The first test of "Rozpuszczenie" is r1 mod r < d: never at the centre, always at d = r.
  int rimKept = 0, rimPainted = 0;
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    Scene s(41, 41, {0, 0, 0});
    BrushOptions o = Hard(20);
    o.Tryb = 1;
    DabBrush(s.Target(), {20, 20}, o);
    EXPECT_EQ(RgbAt(s.work, 20, 20).r, 255);
    for (DabPoint p : {DabPoint{0, 20}, DabPoint{20, 0}}) (RgbAt(s.work, p.X, p.Y).r == 255 ? rimPainted : rimKept)++;
  }
  EXPECT_GT(rimKept, 5);
  EXPECT_GT(rimPainted, 5);
}

TEST(DabSkeleton, DissolveDrawsInPixelOrder) {
  // Reference walk of a radius-3 dab with the generator's definition: r1 for
  // every disc pixel, r2 when r1 mod r < d, an odd r2 keeps the pixel.
  const std::uint32_t seed = 4242;
  SeedRandom(seed);
  Scene s(12, 12, {0, 0, 0});
  BrushOptions o = Hard(3);
  o.Tryb = 1;
  DabBrush(s.Target(), {6, 6}, o);
  Lcg g{seed};
  for (int y = 3; y < 9; ++y)
    for (int x = 3; x < 9; ++x) {
      const int d = static_cast<int>(std::sqrt(static_cast<double>((x - 6) * (x - 6) + (y - 6) * (y - 6))));
      if (d > 3) continue;
      bool keep = false;
      if (g.Next() % 3 < d) keep = g.Next() % 2 != 0;
      EXPECT_EQ(RgbAt(s.work, x, y).r, keep ? 0 : 255) << x << "," << y;
    }
  EXPECT_EQ(RandomState(), g.state) << "no draw more or less than the definition";
}

// ---------------------------------------------------------------- spray

TEST(Spray, DensityZeroChangesNothingButDrawsOncePerDiscPixel) {
  SeedRandom(7);
  Scene s(20, 20, {1, 2, 3});
  SprayOptions o;
  o.Wielkosc = 2;
  o.Gestosc = 0;
  DabSpray(s.Target(), {10, 10}, o);
  EXPECT_TRUE(s.work == s.backup);
  // Radius 2: the box is 8..11 x 8..11 and even its corner (8, 8), at
  // sqrt(8) = 2.83, truncates to 2: all 16 pixels draw.
  Lcg g{7};
  for (int i = 0; i < 16; ++i) g.Next();
  EXPECT_EQ(RandomState(), g.state);
}

TEST(Spray, DensityHundredPaintsLikeTheBrush) {
  Scene a(30, 30, {5, 6, 7}), b(30, 30, {5, 6, 7});
  SprayOptions so;
  so.Wielkosc = 9;
  so.Twardosc = 30;
  so.Przezroczystosc = 80;
  so.Gestosc = 100;
  BrushOptions bo;
  bo.Wielkosc = 9;
  bo.Twardosc = 30;
  bo.Przezroczystosc = 80;
  DabSpray(a.Target(), {12, 14}, so);
  DabBrush(b.Target(), {12, 14}, bo);
  EXPECT_TRUE(a.work == b.work);
}

TEST(Spray, SeededDrawsChooseThePixels) {
  // Density 37 and "Rozpuszczenie": per disc pixel the spray's n first, then
  // r1 and perhaps r2 of the blend, all from the one generator.
  for (int tryb : {0, 1}) {
    const std::uint32_t seed = 99 + static_cast<std::uint32_t>(tryb);
    SeedRandom(seed);
    Scene s(16, 16, {0, 0, 0});
    SprayOptions o;
    o.Wielkosc = 4;
    o.Twardosc = 100;
    o.Gestosc = 37;
    o.Tryb = tryb;
    DabSpray(s.Target(), {8, 8}, o);
    Lcg g{seed};
    int painted = 0;
    for (int y = 4; y < 12; ++y)
      for (int x = 4; x < 12; ++x) {
        const int d = static_cast<int>(std::sqrt(static_cast<double>((x - 8) * (x - 8) + (y - 8) * (y - 8))));
        if (d > 4) continue;
        bool paint = g.Next() % 100 < 37;
        if (paint && tryb == 1 && g.Next() % 4 < d) paint = g.Next() % 2 == 0;
        painted += paint;
        EXPECT_EQ(RgbAt(s.work, x, y).r, paint ? 255 : 0) << "tryb " << tryb << " at " << x << "," << y;
      }
    EXPECT_EQ(RandomState(), g.state);
    EXPECT_GT(painted, 0);
  }
}

// ---------------------------------------------------------------- colour candidates

TEST(EnlightDarker, SourcePlusOrMinusTheEffectAmountClamped) {
  const struct {
    int typeBox;
    Rgb canal, s, lighter, darker;
  } cases[] = {
      {0, {10, 60, 10}, {100, 200, 250}, {110, 255, 255}, {90, 140, 240}},
      {0, {120, 0, 255}, {100, 0, 30}, {220, 0, 255}, {0, 0, 0}},
      // "Mnożenie": E = T * S / 255, so 255 everywhere doubles or clears the source.
      {3, {255, 255, 255}, {100, 60, 200}, {200, 120, 255}, {0, 0, 0}},
      // "Różnica": E = |S - T|.
      {20, {50, 50, 50}, {100, 20, 50}, {150, 50, 50}, {50, 0, 50}},
  };
  for (const auto& c : cases) {
    EnlightOptions o;
    o.Wielkosc = 2;
    o.Twardosc = 100;
    o.TypeBox = c.typeBox;
    o.CanalR = c.canal.r;
    o.CanalG = c.canal.g;
    o.CanalB = c.canal.b;
    Scene a(5, 5, c.s), b(5, 5, c.s);
    DabEnlight(a.Target(), {2, 2}, o);
    DabDarker(b.Target(), {2, 2}, o);
    EXPECT_EQ(RgbAt(a.work, 2, 2), c.lighter) << "TypeBox " << c.typeBox;
    EXPECT_EQ(RgbAt(b.work, 2, 2), c.darker) << "TypeBox " << c.typeBox;
  }
}

TEST(ColorChange, AddsSignedChannelAmountsClamped) {
  Scene s(5, 5, {100, 100, 100});
  ColorChangeOptions o;
  o.Wielkosc = 2;
  o.Twardosc = 100;
  o.CanalR = -255;
  o.CanalG = 50;
  o.CanalB = 200;
  DabColorChange(s.Target(), {2, 2}, o);
  EXPECT_EQ(RgbAt(s.work, 2, 2), (Rgb{0, 150, 255}));
}

TEST(Gray, PlainSettingsTurnTheDiscGrey) {
  Scene s(test::Noise(21, 21, 5));
  GrayOptions o;
  o.Wielkosc = 10;
  o.Twardosc = 100;
  DabGray(s.Target(), {10, 10}, o);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      const Rgb b = RgbAt(s.backup, x, y);
      const int dx = x - 10, dy = y - 10;
      const bool inDisc = x < 20 && y < 20 && static_cast<int>(std::sqrt(double(dx * dx + dy * dy))) <= 10;
      const int g = (b.r + b.g + b.b) / 3;
      EXPECT_EQ(RgbAt(s.work, x, y), (inDisc ? Rgb{g, g, g} : b)) << x << "," << y;
    }
}

TEST(Gray, BlendResultIsMadeGreyAgain) {
  // "Dosycenie koloru" with a grey top gives 2S - g per channel: (120, 60, 0)
  // for S = (90, 60, 30); made grey again that is (60, 60, 60).
  Scene s(5, 5, {90, 60, 30});
  GrayOptions o;
  o.Wielkosc = 2;
  o.Twardosc = 100;
  o.Tryb = 4;
  DabGray(s.Target(), {2, 2}, o);
  EXPECT_EQ(RgbAt(s.work, 2, 2), (Rgb{60, 60, 60}));
}

TEST(ColorBrush, PrimaryHueWithThePixelsLightnessAndSaturation) {
  const struct {
    PackedColor t;
    Rgb s, out;
  } cases[] = {
      // Blue (L 94, S 240) under a red primary: hue 0 with the same L, S gives (200, 0, 0).
      {MakePacked(255, 0, 0), {0, 0, 200}, {200, 0, 0}},
      // A grey keeps saturation 0: L 94 back to 94 * 255 / 240 = 99.
      {MakePacked(255, 0, 0), {100, 100, 100}, {99, 99, 99}},
  };
  for (const auto& c : cases) {
    Scene s(5, 5, c.s);
    s.primary = c.t;
    ColorBrushOptions o;
    o.Wielkosc = 2;
    o.Twardosc = 100;
    DabColorBrush(s.Target(), {2, 2}, o);
    EXPECT_EQ(RgbAt(s.work, 2, 2), c.out);
  }
}

TEST(RedEye, RedOnlyWhereTheHueIsBelow30OrAbove180) {
  const struct {
    Rgb s, out;
  } cases[] = {
      {{128, 128, 128}, {128, 128, 128}},  // grey: hue 160
      {{200, 40, 60}, {50, 40, 60}},       // red
      {{40, 200, 60}, {40, 200, 60}},      // green
      {{200, 40, 180}, {110, 40, 180}},    // hue 205
      {{240, 174, 0}, {87, 174, 0}},       // hue 29
      {{240, 180, 0}, {240, 180, 0}},      // hue 30
      {{114, 0, 240}, {114, 0, 240}},      // hue 179
      {{120, 0, 240}, {120, 0, 240}},      // hue 180
      {{126, 0, 240}, {120, 0, 240}},      // hue 181
  };
  for (const auto& c : cases) {
    Scene s(5, 5, c.s);
    RedEyeOptions o;
    o.Wielkosc = 2;
    o.Twardosc = 100;
    DabRedEye(s.Target(), {2, 2}, o);
    EXPECT_EQ(RgbAt(s.work, 2, 2), c.out) << c.s.r << "," << c.s.g << "," << c.s.b;
  }
}

// ---------------------------------------------------------------- neighbourhoods

TEST(Blur, MeanOfTheNeighbourhood) {
  Scene s(9, 9, {0, 0, 0});
  s.backup.Set(4, 4, MakePixel(255, 90, 9));
  s.work = s.backup;
  BlurOptions o;
  o.Wielkosc = 150;
  o.Twardosc = 100;
  o.Moc = 2;  // k = 1: 3 x 3
  DabBlur(s.Target(), {4, 4}, o);
  EXPECT_EQ(RgbAt(s.work, 4, 4), (Rgb{28, 10, 1}));
  EXPECT_EQ(RgbAt(s.work, 3, 5), (Rgb{28, 10, 1}));
  EXPECT_EQ(RgbAt(s.work, 2, 4), (Rgb{0, 0, 0}));
  o.Moc = 3;  // still k = 1
  Scene t(s.backup);
  DabBlur(t.Target(), {4, 4}, o);
  EXPECT_TRUE(t.work == s.work);
}

TEST(Blur, LeavesABorderBandOfKPixels) {
  for (int moc = 2; moc <= 6; ++moc) {
    const int k = moc / 2;
    Scene s(test::Noise(20, 16, 11));
    BlurOptions o;
    o.Wielkosc = 150;
    o.Twardosc = 100;
    o.Moc = moc;
    DabBlur(s.Target(), {10, 8}, o);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool band = x < k || y < k || x >= 20 - k || y >= 16 - k;
        if (band) {
          ASSERT_EQ(s.work.At(x, y), s.backup.At(x, y)) << "Moc " << moc << " at " << x << "," << y;
        } else {
          int sum = 0;
          for (int j = -k; j <= k; ++j)
            for (int i = -k; i <= k; ++i) sum += RgbAt(s.backup, x + i, y + j).g;
          ASSERT_EQ(RgbAt(s.work, x, y).g, sum / ((2 * k + 1) * (2 * k + 1))) << "Moc " << moc;
        }
      }
  }
}

TEST(Sharpen, NineTimesTheCentreLessTheNeighboursClamped) {
  Scene s(11, 11, {50, 50, 50});
  s.backup.Set(5, 5, MakePixel(100, 50, 52));
  s.work = s.backup;
  SharpOptions o;
  o.Wielkosc = 150;
  o.Twardosc = 100;
  DabSharp(s.Target(), {5, 5}, o);
  // Centre red 9 * 100 - 8 * 50 = 500 -> 255; a neighbour's red 450 - 7 * 50 - 100 = 0; blue 52 -> 9 * 52 - 400 = 68.
  EXPECT_EQ(RgbAt(s.work, 5, 5), (Rgb{255, 50, 68}));
  EXPECT_EQ(RgbAt(s.work, 4, 5), (Rgb{0, 50, 48}));
  EXPECT_EQ(RgbAt(s.work, 8, 8), (Rgb{50, 50, 50})) << "a flat neighbourhood stays";
}

TEST(Sharpen, LeavesTheOutermostRowsAndColumns) {
  Scene s(test::Noise(12, 9, 3));
  SharpOptions o;
  o.Wielkosc = 150;
  o.Twardosc = 100;
  DabSharp(s.Target(), {0, 0}, o);
  int changed = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) {
      if (x == 0 || y == 0 || x == 11 || y == 8) ASSERT_EQ(s.work.At(x, y), s.backup.At(x, y)) << x << "," << y;
      else changed += s.work.At(x, y) != s.backup.At(x, y);
    }
  EXPECT_GT(changed, 40);
}

// ---------------------------------------------------------------- offsets

TEST(CorrectionBrush, ReadsTheRadiusAwayLimitedToThePicture) {
  const struct {
    bool gora, lewo;
    DabPoint centre, probe;
    Rgb read;
  } cases[] = {
      {true, true, {10, 10}, {10, 10}, {7, 7, 7}},
      {false, false, {10, 10}, {10, 10}, {13, 13, 7}},
      {true, false, {10, 10}, {9, 11}, {12, 8, 7}},
      {true, true, {1, 1}, {2, 1}, {0, 0, 7}},       // px - 3 and py - 3 below 0
      {false, false, {18, 18}, {17, 19}, {19, 19, 7}},  // beyond the last column and row
  };
  for (const auto& c : cases) {
    Scene s(Coordinates(20, 20));
    CorrectionBrushOptions o;
    o.Wielkosc = 3;
    o.Twardosc = 100;
    o.Gora = c.gora;
    o.Lewo = c.lewo;
    DabCorrectionBrush(s.Target(), c.centre, o);
    EXPECT_EQ(RgbAt(s.work, c.probe.X, c.probe.Y), c.read) << c.gora << c.lewo << " " << c.probe.X;
  }
}

TEST(Stamp, WithoutSourceNothingHappens) {
  SeedRandom(3);
  Scene s(Coordinates(10, 10));
  StampOptions o;
  o.Tryb = 1;
  EXPECT_EQ(DabStamp(s.Target(), {5, 5}, o, false, {0, 0}), DabStatus::NoStampSource);
  EXPECT_TRUE(s.work == s.backup);
  EXPECT_EQ(RandomState(), 3u);
  EXPECT_STREQ(DabMessage(DabStatus::NoStampSource), "Wybierz źródło klikając prawym przyciskiem myszy");
}

TEST(Stamp, CopiesFromTheSourceOffsetLimitedToThePicture) {
  Scene s(Coordinates(30, 30));
  StampOptions o;
  o.Wielkosc = 4;
  o.Twardosc = 100;
  EXPECT_EQ(DabStamp(s.Target(), {10, 10}, o, true, {20, 5}), DabStatus::Done);
  EXPECT_EQ(RgbAt(s.work, 10, 10), (Rgb{20, 5, 7}));
  EXPECT_EQ(RgbAt(s.work, 11, 8), (Rgb{21, 3, 7}));
  Scene e(Coordinates(30, 30));
  DabStamp(e.Target(), {10, 10}, o, true, {28, 1});
  EXPECT_EQ(RgbAt(e.work, 12, 7), (Rgb{29, 0, 7})) << "30 and -2 limited to 29 and 0";
  Scene huge(Coordinates(30, 30));
  DabStamp(huge.Target(), {10, 10}, o, true, {INT_MAX, INT_MIN});
  EXPECT_EQ(RgbAt(huge.work, 10, 10), (Rgb{29, 0, 7}));
}

// ---------------------------------------------------------------- history brush

TEST(BrushHistory, SourcesAndMessages) {
  const Bitmap previous(20, 20, MakePixel(1, 2, 3));
  const Bitmap snapshot(20, 20, MakePixel(9, 8, 7));
  HistorySources h;
  h.Previous = &previous;
  h.Snapshot = &snapshot;
  h.CurrentFileName = "a.bmp";
  h.PreviousFileName = "a.bmp";
  BrushHistoryOptions o;
  o.Wielkosc = 3;
  o.Twardosc = 100;
  const struct {
    bool back;
    int current;
    const char* previousName;
    DabStatus status;
    Pixel centre;
  } cases[] = {
      {true, 0, "a.bmp", DabStatus::NoHistory, MakePixel(200, 200, 200)},
      {true, -1, "a.bmp", DabStatus::NoHistory, MakePixel(200, 200, 200)},
      {true, 3, "b.bmp", DabStatus::HistoryOfOtherPicture, MakePixel(200, 200, 200)},
      {true, 3, "a.bmp", DabStatus::Done, MakePixel(1, 2, 3)},
      {false, 0, "b.bmp", DabStatus::Done, MakePixel(9, 8, 7)},
  };
  for (const auto& c : cases) {
    Scene s(20, 20, {200, 200, 200});
    o.RadioBack = c.back;
    h.CurrentIndex = c.current;
    h.PreviousFileName = c.previousName;
    EXPECT_EQ(DabBrushHistory(s.Target(), {10, 10}, o, h), c.status) << c.current << c.previousName;
    EXPECT_EQ(s.work.At(10, 10), c.centre);
  }
  EXPECT_STREQ(DabMessage(DabStatus::NoHistory), "Nie ma historii do cofnięcia");
  EXPECT_STREQ(DabMessage(DabStatus::HistoryOfOtherPicture), "Poprzednia historia nie odnosi się do tego obrazka");
  EXPECT_EQ(DabMessage(DabStatus::Done), nullptr);
}

TEST(BrushHistory, SmallerSourceRestoresOnlyWhereItHasPixels) {
  const Bitmap previous = Coordinates(6, 4);  // the picture before it was enlarged
  HistorySources h;
  h.CurrentIndex = 1;
  h.Previous = &previous;
  BrushHistoryOptions o;
  o.Wielkosc = 20;
  o.Twardosc = 100;
  Scene s(12, 10, {200, 200, 200});
  EXPECT_EQ(DabBrushHistory(s.Target(), {5, 5}, o, h), DabStatus::Done);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(RgbAt(s.work, x, y), ((x < 6 && y < 4) ? Rgb{x, y, 7} : Rgb{200, 200, 200})) << x << "," << y;
}

// ---------------------------------------------------------------- bucket

TEST(Bucket, FadesByTheDifferenceFromTheClickedColour) {
  Scene s(9, 1, {0, 0, 0});
  const Rgb colours[] = {{0, 0, 0}, {20, 20, 10}, {30, 40, 29}, {40, 40, 20}, {250, 250, 250}};
  for (int i = 0; i < 5; ++i) s.backup.Set(4 + i, 0, MakePixel(colours[i].r, colours[i].g, colours[i].b));
  s.work = s.backup;
  BucketOptions o;  // Twardosc 100, Tolerant 100 by default
  o.Wielkosc = 10;
  DabBucket(s.Target(), {4, 0}, o);
  EXPECT_EQ(RgbAt(s.work, 4, 0), (Rgb{255, 255, 255})) << "the clicked colour: full fill";
  EXPECT_EQ(RgbAt(s.work, 2, 0), (Rgb{255, 255, 255}));
  // diff 50, q 50: 255 * 50 / 100 + S * 50 / 100 with two truncating divisions.
  EXPECT_EQ(RgbAt(s.work, 5, 0), (Rgb{137, 137, 132}));
  // diff 99, q 99: 255 / 100 (2) + S * 99 / 100.
  EXPECT_EQ(RgbAt(s.work, 6, 0), (Rgb{31, 41, 30}));
  EXPECT_EQ(RgbAt(s.work, 7, 0), colours[3]) << "diff 100";
  EXPECT_EQ(RgbAt(s.work, 8, 0), colours[4]);
}

TEST(Bucket, ToleranceZeroFillsOnlyTheExactColour) {
  Scene s(6, 1, {10, 10, 10});
  s.backup.Set(3, 0, MakePixel(10, 10, 11));
  s.work = s.backup;
  BucketOptions o;
  o.Wielkosc = 10;
  o.Tolerant = 0;
  s.primary = MakePacked(1, 2, 3);
  DabBucket(s.Target(), {0, 0}, o);
  EXPECT_EQ(RgbAt(s.work, 2, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(RgbAt(s.work, 3, 0), (Rgb{10, 10, 11}));
}

TEST(Bucket, FadeTable) {
  const struct {
    int v, sc, diff, tol, out;
  } cases[] = {
      {255, 0, 0, 100, 255},  {255, 0, 100, 100, 0},  {255, 40, 300, 100, 40}, {200, 100, 10, 40, 175},
      {255, 7, 0, 0, 255},    {255, 7, 1, 0, 7},      {99, 1, 254, 255, 0},     {101, 0, 1, 255, 101},
  };
  for (const auto& c : cases) EXPECT_EQ(BucketFade(c.v, c.sc, c.diff, c.tol), c.out) << c.diff << "/" << c.tol;
}

TEST(Bucket, CentreOffThePictureUsesTheNearestPixel) {
  Scene s(5, 5, {0, 0, 0});
  BucketOptions o;
  o.Wielkosc = 3;
  DabBucket(s.Target(), {-1, 2}, o);
  EXPECT_EQ(RgbAt(s.work, 0, 2), (Rgb{255, 255, 255}));
}

// ---------------------------------------------------------------- fast against plain

TEST(FastPaths, BlurEqualsThePlainNeighbourhoodMean) {
  std::uint32_t g = 17;
  auto next = [&g](int n) {
    g = g * 1103515245u + 12345u;
    return static_cast<int>((g >> 8) % static_cast<std::uint32_t>(n));
  };
  for (int round = 0; round < 60; ++round) {
    const int w = 5 + next(40), h = 5 + next(40);
    const Bitmap pic = test::Noise(w, h, static_cast<std::uint32_t>(round));
    BlurOptions o;
    o.Wielkosc = 1 + next(30);
    o.Twardosc = next(101);
    o.Przezroczystosc = next(101);
    o.Moc = 2 + next(5);
    o.Tryb = next(26);
    const DabPoint c{next(w + 10) - 5, next(h + 10) - 5};
    Scene a(pic), b(pic);
    for (Scene* s : {&a, &b}) {
      s->work = test::Noise(w, h, 1000u + static_cast<std::uint32_t>(round));
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->mask.Set(x, y, static_cast<std::uint8_t>((x * 37 + y * 11) % 101));
      s->channel = round % 4;
    }
    b.plain = true;
    SeedRandom(55);
    DabBlur(a.Target(), c, o);
    SeedRandom(55);
    DabBlur(b.Target(), c, o);
    ASSERT_TRUE(a.work == b.work) << "round " << round;
  }
}

TEST(FastPaths, HueAndLightSaturationPartsEqualTheFullConversion) {
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) {
        const Rgb hls = RgbToHlsPlain(r, g, b);
        const LightSat ls = LightSatOf(r, g, b);
        if (HueOf(r, g, b) != hls.r || ls.l != hls.g || ls.s != hls.b)
          FAIL() << r << "," << g << "," << b << ": " << HueOf(r, g, b) << " " << ls.l << " " << ls.s;
      }
}

TEST(FastPaths, HlsAtOneHueEqualsHlsToRgb) {
  for (int h = 0; h <= 240; ++h) {
    const HlsAtHue at(h);
    for (int l = 0; l <= 240; ++l)
      for (int s = 0; s <= 240; ++s)
        if (at(l, s) != HlsToRgb(h, l, s)) FAIL() << h << "," << l << "," << s;
  }
}

// Random values for every option of every tool, within the windows' ranges.
BrushToolSettings RandomSettings(const std::function<int(int)>& next) {
  auto common = [&next](auto& o) {
    o.Wielkosc = 1 + next(25);
    o.Przezroczystosc = next(101);
    o.Twardosc = next(4) == 0 ? 100 : next(101);
    o.Tryb = next(26);
  };
  BrushToolSettings s;
  common(s.Spray);
  s.Spray.Gestosc = next(101);
  for (EnlightOptions* e : {&s.Enlight, &s.Darker}) {
    common(*e);
    e->TypeBox = next(26);
    e->CanalR = next(256);
    e->CanalG = next(256);
    e->CanalB = next(256);
  }
  common(s.Blur);
  s.Blur.Moc = 2 + next(5);
  common(s.Gray);
  common(s.Stamp);
  common(s.Sharp);
  common(s.RedEye);
  common(s.CorrectionBrush);
  s.CorrectionBrush.Gora = next(2);
  s.CorrectionBrush.Lewo = next(2);
  common(s.BrushHistory);
  s.BrushHistory.RadioBack = next(2);
  common(s.Brush);
  common(s.Bucket);
  s.Bucket.Tolerant = next(256);
  common(s.ColorBrush);
  common(s.ColorChange);
  s.ColorChange.CanalR = next(511) - 255;
  s.ColorChange.CanalG = next(511) - 255;
  s.ColorChange.CanalB = next(511) - 255;
  return s;
}

TEST(FastPaths, EveryToolEqualsItsPlainPath) {
  std::uint32_t g = 23;
  std::function<int(int)> next = [&g](int n) {
    g = g * 1103515245u + 12345u;
    return static_cast<int>((g >> 8) % static_cast<std::uint32_t>(n));
  };
  for (int round = 0; round < 40; ++round) {
    const int w = 3 + next(40), h = 3 + next(40);
    const Bitmap pic = test::Noise(w, h, static_cast<std::uint32_t>(round) + 500u);
    const Bitmap before = test::Noise(w, h, static_cast<std::uint32_t>(round) + 900u);
    const Bitmap previous = test::Noise(1 + next(w), 1 + next(h), static_cast<std::uint32_t>(round));
    const BrushToolSettings set = RandomSettings(next);
    DabSources src;
    src.StampSourceSet = true;
    src.StampSource = {next(w + 4) - 2, next(h + 4) - 2};
    src.History.CurrentIndex = 2;
    src.History.Previous = &previous;
    src.History.Snapshot = &before;
    const DabPoint c{next(w + 10) - 5, next(h + 10) - 5};
    const PackedColor primary = static_cast<PackedColor>(next(1 << 24));
    for (int id : kBrushToolIds) {
      Scene a(pic), b(pic);
      for (Scene* s : {&a, &b}) {
        s->work = before;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) s->mask.Set(x, y, static_cast<std::uint8_t>((x * 37 + y * 11 + round) % 101));
        s->channel = round % 4;
        s->primary = primary;
      }
      b.plain = true;
      SeedRandom(77);
      ApplyDab(id, a.Target(), c, set, src);
      const std::uint32_t stateA = RandomState();
      SeedRandom(77);
      ApplyDab(id, b.Target(), c, set, src);
      ASSERT_TRUE(a.work == b.work) << "tool " << id << " round " << round;
      ASSERT_EQ(stateA, RandomState()) << "tool " << id << " round " << round;
    }
  }
}

TEST(ComposeDabPixelWith, WithoutHooksItIsComposeDabPixel) {
  std::uint32_t g = 5;
  auto next = [&g](int n) {
    g = g * 1103515245u + 12345u;
    return static_cast<int>((g >> 8) % static_cast<std::uint32_t>(n));
  };
  for (int i = 0; i < 20000; ++i) {
    const int mode = next(26);
    const int channel = next(4);
    const Pixel src[1] = {0xFF000000u | static_cast<Pixel>(next(1 << 24))};
    const Pixel dst0 = 0x7F000000u | static_cast<Pixel>(next(1 << 24));
    const Rgb c{next(256), next(256), next(256)};
    const int m = next(4) == 0 ? 0 : next(101), t = next(101), r = 1 + next(150), d = next(r + 1);
    const int f = next(101);
    CPixelEngine a, b;
    for (CPixelEngine* e : {&a, &b}) {
      e->SelectBlend(mode);
      e->SelectStore(channel);
    }
    Pixel da[1] = {dst0}, db[1] = {dst0};
    SeedRandom(static_cast<std::uint32_t>(i));
    a.ComposeDabPixel(c, da, src, 0, Percent(m), Percent(100 - m), Percent(t), Percent(100 - t), d, r, f);
    SeedRandom(static_cast<std::uint32_t>(i));
    ComposeDabPixelWith(
        b, c, db, src, 0, Percent(m), Percent(100 - m), Percent(t), Percent(100 - t), d, r, f,
        [](CPixelEngine&) {}, [](CPixelEngine&, Pixel) {});
    ASSERT_EQ(da[0], db[0]) << "mode " << mode << " m " << m << " t " << t;
    ASSERT_EQ((Rgb{a.ColorR, a.ColorG, a.ColorB}), (Rgb{b.ColorR, b.ColorG, b.ColorB}));
  }
}

// ---------------------------------------------------------------- by tool number

TEST(ApplyDab, EveryBrushToolPaintsAndOthersDoNothing) {
  const Bitmap pic = test::Noise(40, 40, 8);
  const Bitmap previous(40, 40, MakePixel(3, 3, 3));
  BrushToolSettings set;
  set.Enlight.CanalR = set.Enlight.CanalG = set.Enlight.CanalB = 60;
  set.Darker = set.Enlight;
  set.ColorChange.CanalR = 90;
  set.Bucket.Tolerant = 255;
  DabSources src;
  src.StampSourceSet = true;
  src.StampSource = {5, 30};
  src.History.CurrentIndex = 1;
  src.History.Previous = &previous;
  for (int id : kBrushToolIds) {
    Scene s(pic);
    s.primary = MakePacked(255, 0, 0);
    EXPECT_EQ(ApplyDab(id, s.Target(), {20, 20}, set, src), DabStatus::Done) << id;
    EXPECT_FALSE(s.work == s.backup) << "tool " << id;
    EXPECT_EQ(BrushSize(id, set), 75);
  }
  for (int id : {0, 1, 23, 34, 36, 99}) {
    Scene s(pic);
    EXPECT_EQ(ApplyDab(id, s.Target(), {20, 20}, set, src), DabStatus::Done);
    EXPECT_TRUE(s.work == s.backup) << id;
    EXPECT_EQ(BrushSize(id, set), 0);
  }
}

}  // namespace
}  // namespace rv
