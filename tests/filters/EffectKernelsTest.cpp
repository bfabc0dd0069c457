// The noise, stylise, distortion, streak and tile kernels: their edge cases,
// the seeded random filters against draws computed here from the generator's
// definition, and the fast paths against the plain path on pictures large
// enough to cross the kernels' bands, tiles and buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::RgbAt;
using test::RunFull;
using test::Uniform;

// The program's generator, written out independently.
struct Draws {
  std::uint32_t s;
  int Next() {
    s = s * 22695477u + 1u;
    return static_cast<int>((s >> 16) & 32767u);
  }
};

Bitmap Row(std::initializer_list<Rgb> colours) {
  Bitmap b(static_cast<int>(colours.size()), 1);
  int x = 0;
  for (const Rgb& c : colours) b.Set(x++, 0, MakePixel(c.r, c.g, c.b));
  return b;
}

KernelContext WithPrimary(Rgb c) {
  KernelContext ctx;
  ctx.PrimaryColor = MakePacked(c.r, c.g, c.b);
  return ctx;
}

// ---- Add noise: one pixel, draws worked out by hand from the seed ----------

struct NoiseCase {
  const char* what;
  std::uint32_t seed;
  std::vector<std::pair<std::string, int>> sets;
  Rgb source;
  Rgb expected;
  int draws;  // how many numbers the pixel takes
};

class NoiseDraws : public ::testing::TestWithParam<NoiseCase> {};

TEST_P(NoiseDraws, OnePixel) {
  const NoiseCase& c = GetParam();
  SeedRandom(c.seed);
  const Bitmap out = RunFull({"Noise", c.sets}, Uniform(1, 1, c.source));
  EXPECT_EQ(RgbAt(out, 0, 0), c.expected) << c.what;
  Draws d{c.seed};
  for (int i = 0; i < c.draws; ++i) d.Next();
  EXPECT_EQ(RandomState(), d.s) << c.what;
}

// Seed 0 draws 0, 346, 130, 10982, 1090, 11656, 7117, 17595, 6415, ...
// Seed 7 draws 2424, 31604, 10557, 7276, 9515, ...
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NoiseDraws,
    ::testing::Values(
        // Amounts 0, 346 % 128 = 90, 130 % 128 = 2; every test passes; parities
        // 1090 even (red + 0), 7117 odd (green - 90), 6415 odd (blue - 2).
        NoiseCase{"szum per channel", 0, {{"losR", 100}}, {100, 100, 100}, {100, 10, 98}, 9},
        // 10982 % 100 = 82, 1090 % 100 = 90, 11656 % 100 = 56: no test passes at 50.
        NoiseCase{"szum no test passes", 0, {}, {100, 100, 100}, {100, 100, 100}, 6},
        // 2424 % 256 = 120, 31604 % 128 = 116, 10557 % 2 = 1, all taken off.
        NoiseCase{"pepper per channel",
                  7,
                  {{"Pieprz", 1}, {"Scal", 0}, {"CanalR", 255}, {"CanalG", 127}, {"CanalB", 1}, {"losR", 100}},
                  {200, 200, 200},
                  {80, 84, 199},
                  6},
        // Grey amount 2424 % 128 = 120; test 31604 % 100 = 4 < 5; 10557 odd: brighter.
        NoiseCase{"szum mono passes", 7, {{"Mono", 1}, {"losR", 5}}, {100, 100, 100}, {220, 220, 220}, 3},
        // The test is strict: 4 < 4 fails and no parity is drawn.
        NoiseCase{"szum mono fails", 7, {{"Mono", 1}, {"losR", 4}}, {100, 100, 100}, {100, 100, 100}, 2},
        NoiseCase{"salt mono", 7, {{"Mono", 1}, {"Sol", 1}}, {10, 20, 30}, {130, 140, 150}, 2},
        NoiseCase{"salt clamps", 7, {{"Mono", 1}, {"Sol", 1}}, {200, 140, 0}, {255, 255, 120}, 2}),
    [](const auto& info) {
      std::string n = info.param.what;
      for (char& ch : n)
        if (ch == ' ') ch = '_';
      return n;
    });

// Pepper with frequency 100 and amount 1: each channel loses r mod 2 of its
// own draw; with "Monochromatycznie" the three lose the same.
TEST(Noise, PepperOfOneTakesTheDrawsParity) {
  const Bitmap src = test::Noise(6, 4, 3);
  for (const int mono : {0, 1}) {
    SeedRandom(99);
    const Bitmap out = RunFull({"Noise", {{"Pieprz", 1}, {"CanalR", 1}, {"losR", 100}, {"Mono", mono}}}, src);
    Draws d{99};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) {
        const Rgb s = RgbAt(src, x, y);
        Rgb e;
        if (mono) {
          const int a = d.Next() % 2;
          d.Next();
          e = {s.r - a, s.g - a, s.b - a};
        } else {
          const int a = d.Next() % 2, b = d.Next() % 2, c = d.Next() % 2;
          for (int i = 0; i < 3; ++i) d.Next();
          e = {s.r - a, s.g - b, s.b - c};
        }
        e = {std::max(e.r, 0), std::max(e.g, 0), std::max(e.b, 0)};
        ASSERT_EQ(RgbAt(out, x, y), e) << "mono " << mono << " at " << x << "," << y;
      }
    EXPECT_EQ(RandomState(), d.s);
  }
}

// ---- Smart sharpening -------------------------------------------------------

TEST(Sulfur, UniformAreaAndSmallDifferencesStay) {
  const Bitmap flat = Uniform(7, 5, {90, 180, 3});
  EXPECT_TRUE(RunFull({"Sulfur", {{"Radius", 3}}}, flat) == flat);
  // A pixel 2 levels above its neighbours: (M - S) * 100 / 255 is 0.
  Bitmap b = Uniform(5, 5, {100, 100, 100});
  b.Set(2, 2, MakePixel(102, 102, 102));
  EXPECT_EQ(RgbAt(RunFull({"Sulfur", {{"Radius", 1}, {"CanalR", 255}}}, b), 2, 2), (Rgb{102, 102, 102}));
}

TEST(Sulfur, PixelBesideADarkColumn) {
  // Radius 1, amount 255: window mean 1200 / 9 = 133; (133 - 200) * 100 / 255
  // = -26, times -255 = 6630, / 100 = 66: 266, stored as 255.
  Bitmap b = Uniform(5, 3, {200, 200, 200});
  for (int y = 0; y < 3; ++y) b.Set(1, y, MakePixel(0, 0, 0));
  const Bitmap out = RunFull({"Sulfur", {{"Radius", 1}, {"CanalR", 255}}}, b);
  EXPECT_EQ(RgbAt(out, 2, 1), (Rgb{255, 255, 255}));
  // The corner's window is clipped to 2 x 2: mean (0 + 0 + 200 + 200) / 4 = 100
  // for column 0... its own value 200: (100 - 200) * 100 / 255 = -39, * -255 / 100 = 99.
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{255, 255, 255}));
  // The dark column: mean 400 / 6 = 66 at the top; 66 * 100 / 255 = 25, * -255 / 100 = -63.
  EXPECT_EQ(RgbAt(out, 1, 0), (Rgb{0, 0, 0}));
}

// ---- Screening --------------------------------------------------------------

TEST(Screening, CellsAlternateFromTheTopLeft) {
  const Bitmap src = test::Noise(120, 60, 5);
  const Rgb primary{10, 20, 30};
  for (const int lewo : {0, 1}) {
    test::Run r{"Screening", {{"Radius", 50}, {"lewo", lewo}}, WithPrimary(primary)};
    const Bitmap out = RunFull(r, src);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {49, 49}, {50, 0}, {99, 49}, {100, 0},
                                                               {0, 50}, {50, 50}, {119, 59}}) {
      const bool on = ((x / 50 + y / 50) % 2 == 0) == (lewo == 1);
      EXPECT_EQ(RgbAt(out, x, y), on ? primary : RgbAt(src, x, y)) << "lewo " << lewo << " at " << x << "," << y;
    }
  }
}

TEST(Screening, MonoMovesOnCellsUpAndOffCellsDown) {
  const Bitmap src = Uniform(4, 4, {100, 100, 100});
  EXPECT_TRUE(RunFull({"Screening", {{"mono", 1}}}, src) == src);  // amounts 0
  const Bitmap out = RunFull({"Screening", {{"mono", 1}, {"Radius", 2}, {"CanalR", -30}}}, src);
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{130, 130, 130}));  // off-cell: S - E
  EXPECT_EQ(RgbAt(out, 2, 0), (Rgb{70, 70, 70}));     // on-cell: S + E
  EXPECT_EQ(RgbAt(out, 2, 2), (Rgb{130, 130, 130}));
}

// ---- Vignette ---------------------------------------------------------------

TEST(Vignette, DarkensByTheShareOfTheDiagonal) {
  // 300 x 400: diagonal 500; the corner is 250 away, f = 0.5: 255 - 63.5.
  const Bitmap out = RunFull({"Vignette", {{"Wid", 150}, {"Hei", 200}}}, Uniform(300, 400, {255, 255, 255}));
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{191, 191, 191}));
  EXPECT_EQ(RgbAt(out, 150, 200), (Rgb{255, 255, 255}));
  // 4 pixels away: f = 0.008, trunc(255 - 1.016) = 253; 5 away: f = 0.01, 253.
  EXPECT_EQ(RgbAt(out, 154, 200), (Rgb{253, 253, 253}));
  EXPECT_EQ(RgbAt(out, 155, 200), (Rgb{253, 253, 253}));
}

// Distances between two whole percents of the diagonal darken by their own
// fraction, not by the percent below: no rings 1 % of the diagonal wide.
TEST(Vignette, DistancesBetweenPercentsKeepTheirFraction) {
  // 1000 x 1000: diagonal 1414, 1 % is 14.14 pixels; centre (400, 400), Sila 255.
  struct Case {
    int t;
    int expected;  // trunc(255 - 255 * t / 1414)
  };
  const Case cases[] = {
      {7, 253},    // 0.495 %: 255 - 1.262 (a whole percent would give 0 %: 255)
      {21, 251},   // 1.485 %: 255 - 3.787 (1 %: 252)
      {566, 152},  // 40.03 %: 255 - 102.07 (40 %: 153)
      {590, 148},  // 41.73 %: 255 - 106.40 (41 %: 150)
  };
  const Bitmap src = Uniform(1000, 1000, {255, 255, 255});
  for (const bool plain : {false, true}) {
    KernelContext ctx;
    ctx.PlainPath = plain;
    const Bitmap out = RunFull({"Vignette", {{"Wid", 400}, {"Hei", 400}, {"Sila", 255}}, ctx}, src);
    for (const Case& c : cases) {
      EXPECT_EQ(RgbAt(out, 400 + c.t, 400), (Rgb{c.expected, c.expected, c.expected})) << c.t << " plain " << plain;
      EXPECT_EQ(RgbAt(out, 400, 400 + c.t), (Rgb{c.expected, c.expected, c.expected})) << c.t << " plain " << plain;
    }
    // Along a row the level falls by steps of about one in 5.5 pixels, not by 2.55 every 14.
    int steps = 0;
    for (int x = 401; x < 1000; ++x) steps += RgbAt(out, x, 400).r != RgbAt(out, x - 1, 400).r;
    EXPECT_GT(steps, 80) << "plain " << plain;
  }
}

TEST(Vignette, PreviewMeasuresFromThePicture) {
  const Bitmap pic = test::Noise(90, 70, 8);
  const FilterDecl& d = *FindFilter("Vignette");
  FilterSettings v(d);
  d.Prepare(v, pic.Width(), pic.Height());
  EXPECT_EQ(v.Max("Wid"), 90);
  EXPECT_EQ(v.Max("Hei"), 70);
  EXPECT_EQ(v.Get("Wid"), 45);
  EXPECT_EQ(v.Get("Hei"), 35);
  v.Set("Sila", 900);
  SelectionMask mask(90, 70, 100);
  KernelContext ctx;
  ctx.Picture = &pic;
  Bitmap full = pic;
  CPixelEngine e;
  d.Run({e, full, pic, mask, 100, true, 90, 70, ctx}, v);
  // A preview of the region from (20, 10) gives the full run's pixels there.
  const Bitmap region = pic.Copy(20, 10, 40, 30);
  Bitmap preview = region;
  ctx.PreviewLeft = 20;
  ctx.PreviewTop = 10;
  d.Run({e, preview, region, mask, 100, false, 40, 30, ctx}, v);
  EXPECT_TRUE(preview == full.Copy(20, 10, 40, 30));
}

// ---- Mosaic and patchwork ---------------------------------------------------

TEST(Mozaic, TileLargerThanThePictureAndTileOfOne) {
  const Bitmap src = test::Noise(9, 7, 11);
  EXPECT_TRUE(SameColors(RunFull({"Mozaic", {{"Radius", 200}}}, src), Uniform(9, 7, RgbAt(src, 0, 0))));
  EXPECT_TRUE(RunFull({"Mozaic", {{"Radius", 1}}}, src) == src);
  const Bitmap out = RunFull({"Mozaic", {{"Radius", 4}}}, src);
  EXPECT_EQ(RgbAt(out, 7, 6), RgbAt(src, 4, 4));  // the clipped last tile
  EXPECT_EQ(RgbAt(out, 3, 3), RgbAt(src, 0, 0));
}

TEST(Patchwork, OneTileWithTheGridOnItsTopAndLeftEdges) {
  const Bitmap src = test::Noise(30, 20, 12);
  const Rgb pen{1, 2, 3};
  const Bitmap out = RunFull({"Patchwork", {{"Radius", 200}, {"Thick", 1}}, WithPrimary(pen)}, src);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(RgbAt(out, x, y), (x == 0 || y == 0) ? pen : RgbAt(src, 0, 0)) << x << "," << y;
}

TEST(Patchwork, GridIgnoresSelectionAndTransparency) {
  const Bitmap src = test::Noise(120, 120, 13);
  const Rgb pen{250, 0, 125};
  const SelectionMask none(120, 120, 0);
  for (const int thick : {1, 10}) {
    test::Run r{"Patchwork", {{"Radius", 50}, {"Thick", thick}}, WithPrimary(pen)};
    r.mask = &none;
    r.transparency = 0;
    const Bitmap out = RunFull(r, src);
    // A pen of width w centred on c covers c - w/2 .. c - w/2 + w - 1.
    auto onLine = [&](int v) {
      for (const int c : {0, 50, 100})
        if (v >= c - thick / 2 && v < c - thick / 2 + thick) return true;
      return false;
    };
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 120; ++x)
        ASSERT_EQ(RgbAt(out, x, y), (onLine(x) || onLine(y)) ? pen : RgbAt(src, x, y))
            << "thick " << thick << " at " << x << "," << y;
  }
}

// ---- Diffusion, waves, shift ------------------------------------------------

TEST(Dif, RadiusOneTakesFromAboveAndLeftOnly) {
  const Bitmap src = test::Noise(7, 5, 14);
  SeedRandom(321);
  const Bitmap out = RunFull({"Dif", {{"Radius", 1}}}, src);
  Draws d{321};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const int rx = std::max(0, d.Next() % 2 + x - 1);
      const int ry = std::max(0, d.Next() % 2 + y - 1);
      ASSERT_EQ(RgbAt(out, x, y), RgbAt(src, rx, ry)) << x << "," << y;
    }
  EXPECT_EQ(RandomState(), d.s);
}

TEST(Dif, OffsetsAreClampedAtEveryEdge) {
  // R = 100 on a 6 x 4 picture: nearly every offset leaves the picture.
  const Bitmap src = test::Noise(6, 4, 15);
  SeedRandom(5);
  const Bitmap out = RunFull({"Dif", {{"Radius", 100}}}, src);
  Draws d{5};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const int rx = std::clamp(d.Next() % 200 + x - 100, 0, 5);
      const int ry = std::clamp(d.Next() % 200 + y - 100, 0, 3);
      ASSERT_EQ(RgbAt(out, x, y), RgbAt(src, rx, ry)) << x << "," << y;
    }
}

TEST(Heave, ColumnsMoveByTheirWave) {
  Bitmap src(40, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 40; ++x) src.Set(x, y, MakePixel(y * 20, x * 6, 7));
  // Amplitude 1: where the sine is negative the column shows the row above.
  const Bitmap sin1 = RunFull({"Heave", {{"Szer", 3}, {"Wys", 1}}}, src);
  for (int x = 0; x < 40; ++x) {
    const bool up = std::sin(x / 3.0) < 0;
    for (int y = 0; y < 12; ++y)
      ASSERT_EQ(RgbAt(sin1, x, y), RgbAt(src, x, up ? std::max(0, y - 1) : y)) << x << "," << y;
  }
  // Cosine: column 0 moves by the whole amplitude, clamped at the bottom.
  const Bitmap cos5 = RunFull({"Heave", {{"Cos", 1}, {"Wys", 5}}}, src);
  for (int y = 0; y < 12; ++y) EXPECT_EQ(RgbAt(cos5, 0, y), RgbAt(src, 0, std::min(11, y + 5)));
}

TEST(Shift, CommandRangesAndClampedWrites) {
  const FilterDecl& d = *FindFilter("Shift");
  EXPECT_FALSE(d.HasPreview());
  FilterSettings v(d);
  d.Prepare(v, 100, 30);
  EXPECT_EQ(v.Min("PosX"), -100);
  EXPECT_EQ(v.Max("PosX"), 100);
  EXPECT_EQ(v.Min("PosY"), -30);
  EXPECT_EQ(v.Max("PosY"), 30);

  const Bitmap src = test::Noise(100, 3, 16);
  const Bitmap right = RunFull({"Shift", {{"PosX", 10}}}, src);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(RgbAt(right, x, y), RgbAt(src, x, y));
    for (int x = 10; x < 99; ++x) ASSERT_EQ(RgbAt(right, x, y), RgbAt(src, x - 10, y));
    EXPECT_EQ(RgbAt(right, 99, y), RgbAt(src, 99, y));
  }
  // Everything lands in column 0; the row's last pixel is written last.
  test::Run all{"Shift", {{"PosX", -100}}};
  const Bitmap left = [&] {
    const FilterDecl* sd = FindFilter("Shift");
    FilterSettings sv(*sd);
    sd->Prepare(sv, 100, 3);
    sv.Set("PosX", -100);
    Bitmap dst = src;
    SelectionMask mask(100, 3, 100);
    CPixelEngine e;
    KernelContext ctx;
    sd->Run({e, dst, src, mask, 100, true, 100, 3, ctx}, sv);
    return dst;
  }();
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(RgbAt(left, 0, y), RgbAt(src, 99, y));
    for (int x = 1; x < 100; ++x) ASSERT_EQ(RgbAt(left, x, y), RgbAt(src, x, y));
  }
  // Downwards: the weight is the source pixel's, so an unselected source row moves nothing.
  SelectionMask rows(100, 3, 100);
  for (int x = 0; x < 100; ++x) rows.Set(x, 0, 0);
  test::Run down{"Shift", {{"PosY", 1}}};
  down.mask = &rows;
  const Bitmap moved = RunFull(down, src);
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(RgbAt(moved, x, 1), RgbAt(src, x, 1));  // row 0 was unselected: its write keeps row 1
    EXPECT_EQ(RgbAt(moved, x, 2), RgbAt(src, x, 2));  // rows 1 and 2 both land on row 2; row 2 comes last
  }
}

// ---- Fragmentation, shatter, anaglyph ---------------------------------------

TEST(Frag, FarTapsClampToTheBorder) {
  const Bitmap src = test::Noise(9, 6, 17);
  const Bitmap out = RunFull({"Frag", {{"Szer", 150}}}, src);  // linked: Wys 150 too
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const Rgb p[5] = {RgbAt(src, 0, y), RgbAt(src, x, y), RgbAt(src, 8, y), RgbAt(src, x, 0), RgbAt(src, x, 5)};
      Rgb e{};
      for (const Rgb& q : p) e = {e.r + q.r, e.g + q.g, e.b + q.b};
      ASSERT_EQ(RgbAt(out, x, y), (Rgb{e.r / 5, e.g / 5, e.b / 5})) << x << "," << y;
    }
  const Bitmap br = RunFull({"Break", {{"Szer", 2}}}, Row({{30, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
  // Column 1: (S0 + S1 + S3) / 3 = 10; column 0: (S0 + S0 + S2) / 3 = 20.
  EXPECT_EQ(RgbAt(br, 0, 0), (Rgb{20, 0, 0}));
  EXPECT_EQ(RgbAt(br, 1, 0), (Rgb{10, 0, 0}));
  EXPECT_EQ(RgbAt(br, 3, 0), (Rgb{0, 0, 0}));
}

TEST(Analg, EdgesTurnRedOrCyan) {
  const int k = 5, b = 20, w = 40;
  Bitmap whiteLeft(w, 2), blackLeft(w, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < w; ++x) {
      whiteLeft.Set(x, y, x < b ? MakePixel(255, 255, 255) : MakePixel(0, 0, 0));
      blackLeft.Set(x, y, x < b ? MakePixel(0, 0, 0) : MakePixel(255, 255, 255));
    }
  const Bitmap red = RunFull({"Analg", {{"Radius", k}}}, whiteLeft);
  const Bitmap cyan = RunFull({"Analg", {{"Radius", k}}}, blackLeft);
  for (int x = b - k; x < b + k; ++x) {
    EXPECT_EQ(RgbAt(red, x, 1), (Rgb{255, 0, 0})) << x;
    EXPECT_EQ(RgbAt(cyan, x, 1), (Rgb{0, 255, 255})) << x;
  }
  // Outside the band both views agree: black stays black, white becomes the projection of white.
  EXPECT_EQ(RgbAt(red, b + k, 0), (Rgb{0, 0, 0}));
  // White: red 0.4561 + 0.500484 + 0.176381 - 0.0434706 - 0.0879388 - 0.00155529 = 1.0000 (255.0..)
  // green 1.0000 x 255, blue 1.0000 x 255 within rounding: at least 254.
  const Rgb white = RgbAt(red, 0, 0);
  EXPECT_GE(white.r, 254);
  EXPECT_GE(white.g, 254);
  EXPECT_GE(white.b, 254);
}

// ---- Wind, wet paper --------------------------------------------------------

TEST(Wind, StreakFadesFromItsStartingPixel) {
  // Seed 7: the first draw 2424 gives a streak of 2424 % 300 = 24 pixels; the
  // next start (column 25) draws 31604.
  Bitmap src(30, 1, MakePixel(0, 0, 0));
  src.Set(0, 0, MakePixel(200, 100, 0));
  SeedRandom(7);
  const Bitmap out = RunFull({"Wind", {{"Radius", 300}}}, src);
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{200, 100, 0}));  // never written
  EXPECT_EQ(RgbAt(out, 1, 0), (Rgb{200, 100, 0}));  // h = 100
  EXPECT_EQ(RgbAt(out, 13, 0), (Rgb{50, 25, 0}));   // k = 12: h = 50, applied twice
  // k = 1: h = 4: 200 x 0.04f = 7.99..., then 7 x 0.04f: 0.
  EXPECT_EQ(RgbAt(out, 24, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(RgbAt(out, 25, 0), (Rgb{0, 0, 0}));
  Draws d{7};
  d.Next();
  d.Next();
  EXPECT_EQ(RandomState(), d.s);
  // k = 6 at column 19: h = 25: trunc(200 x 0.25) = 50, trunc(50 x 0.25) = 12.
  EXPECT_EQ(RgbAt(out, 19, 0), (Rgb{12, 6, 0}));
}

TEST(Wind, UnselectedPixelsKeepTheirValues) {
  // The fade after the mix would take a level off an unselected pixel for
  // many fade weights (h% + (100 - h)% falls short of 1 in single precision).
  const Bitmap src = test::Noise(200, 30, 21);
  const SelectionMask none(200, 30, 0);
  test::Run r{"Wind", {{"Radius", 300}}};
  r.mask = &none;
  SeedRandom(2);
  EXPECT_TRUE(RunFull(r, src) == src);
}

TEST(Wind, RadiusOneLeavesThePicture) {
  const Bitmap src = test::Noise(17, 5, 18);
  SeedRandom(1);
  EXPECT_TRUE(RunFull({"Wind", {{"Radius", 1}}}, src) == src);
  Draws d{1};
  for (int i = 0; i < 17 * 5; ++i) d.Next();  // every pixel starts a streak of length 0
  EXPECT_EQ(RandomState(), d.s);
}

TEST(WetPaper, SegmentsPullTowardsTheirAnchor) {
  // 9 x 2, segments of 4: anchors at columns 2 and 6 (p = 100, 50, 0, 50). Seed
  // 3 with steps below 3 and 10: row 0 is smeared, then the column pass takes
  // columns 0 and 6, whose 300-row segments restore the source there (p = 100).
  Bitmap src(9, 2);
  for (int x = 0; x < 9; ++x) {
    src.Set(x, 0, MakePixel(10 * x, 200 - 10 * x, 7));
    src.Set(x, 1, MakePixel(1, 2, 3));
  }
  SeedRandom(3);
  const Bitmap out = RunFull({"WetPaper", {{"R1", 4}, {"R2", 300}, {"R3", 3}, {"R4", 10}}}, src);
  auto avg = [&](int a, int b) {
    const Rgb p = RgbAt(src, a, 0), q = RgbAt(src, b, 0);
    return Rgb{(p.r + q.r) / 2, (p.g + q.g) / 2, (p.b + q.b) / 2};
  };
  const Rgb expected[9] = {RgbAt(src, 0, 0), avg(1, 2), RgbAt(src, 2, 0), avg(3, 2), RgbAt(src, 4, 0),
                           avg(5, 6),        RgbAt(src, 6, 0), avg(7, 6), RgbAt(src, 8, 0)};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(RgbAt(out, x, 0), expected[x]) << x;
    EXPECT_EQ(RgbAt(out, x, 1), (Rgb{1, 2, 3})) << x;  // the last row is never smeared
  }
  Draws d{3};
  int draws = 0;
  for (int y = 0; y < 1; y += d.Next() % 3) ++draws;
  for (int x = 0; x < 8; x += d.Next() % 10) ++draws;
  EXPECT_EQ(draws, 4);
  EXPECT_EQ(RandomState(), d.s);
}

TEST(WetPaper, OnePixelWideOrHighIsOnlyPassedOverItself) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 9}, {9, 1}, {1, 1}}) {
    const Bitmap src = test::Noise(w, h, 19);
    SeedRandom(8);
    EXPECT_TRUE(RunFull({"WetPaper"}, src) == src) << w << "x" << h;
    if (w == 1 && h == 1) {
      EXPECT_EQ(RandomState(), 8u) << "no row or column to smear, no draw";
    }
  }
}

// ---- Fast paths on larger pictures ------------------------------------------

struct FastCase {
  const char* stem;
  std::vector<std::pair<std::string, int>> sets;
};

class EffectFastPath : public ::testing::TestWithParam<FastCase> {};

// Pictures large enough for several bands and column tiles and several
// refills of the noise's draw buffer; modes that draw, that mix channels, and
// the defaults; partial masks, transparencies, channels and preview origins.
TEST_P(EffectFastPath, EqualsThePlainPath) {
  const FastCase& c = GetParam();
  const FilterDecl& d = *FindFilter(c.stem);
  FilterSettings v(d);
  for (const auto& [name, value] : c.sets) ASSERT_EQ(v.Set(name, value), "") << name;
  struct Modes {
    int tryb, typeBox, channel, transparency;
  };
  const Modes modes[] = {{0, 0, 0, 100}, {0, 0, 0, 37}, {1, 0, 0, 100}, {0, 1, 2, 100}, {3, 14, 1, 64},
                         {21, 4, 0, 100}, {0, 19, 3, 100}};
  std::uint32_t seed = 1;
  for (const Modes& m : modes) {
    for (const bool fullRun : {true, false}) {
      const int w = 300 + static_cast<int>(seed % 7), h = 70 + static_cast<int>(seed % 5);
      const Bitmap src = test::Noise(w, h, seed);
      SelectionMask mask(w + 8, h + 8, 100);
      std::uint32_t s = seed * 7919u;
      for (int y = 0; y < h + 8; ++y)
        for (int x = 0; x < w + 8; ++x) {
          s = s * 1103515245u + 12345u;
          static const std::uint8_t values[] = {100, 100, 100, 0, 37, 1, 99, 50};
          mask.Set(x, y, values[(s >> 10) % 8]);
        }
      KernelContext ctx;
      ctx.Tryb = m.tryb;
      ctx.TypeBox = m.typeBox;
      ctx.ActiveChannel = m.channel;
      ctx.PrimaryColor = MakePacked(40, 200, 90);
      ctx.PreviewLeft = fullRun ? 0 : 5;
      ctx.PreviewTop = fullRun ? 0 : 3;
      Bitmap results[2];
      std::uint32_t states[2];
      for (const bool plain : {false, true}) {
        Bitmap dst = test::Noise(w, h, seed + 1);
        CPixelEngine e;
        ctx.PlainPath = plain;
        SeedRandom(seed);
        d.Run({e, dst, src, mask, m.transparency, fullRun, w, h, ctx}, v);
        results[plain] = std::move(dst);
        states[plain] = RandomState();
      }
      ASSERT_EQ(states[0], states[1]) << c.stem << " tryb " << m.tryb << " typebox " << m.typeBox;
      ASSERT_TRUE(results[0] == results[1]) << c.stem << " tryb " << m.tryb << " typebox " << m.typeBox
                                            << " full " << fullRun;
      ++seed;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Effects, EffectFastPath,
    ::testing::Values(FastCase{"Noise", {}}, FastCase{"Noise", {{"Pieprz", 1}}}, FastCase{"Noise", {{"Sol", 1}}},
                      FastCase{"Noise", {{"Mono", 1}}}, FastCase{"Noise", {{"Mono", 1}, {"Pieprz", 1}}},
                      FastCase{"Noise", {{"ScalLos", 0}, {"losR", 100}, {"losG", 3}, {"losB", 71}}},
                      FastCase{"Noise", {{"Scal", 0}, {"CanalR", 1}, {"CanalG", 255}}},
                      FastCase{"Sulfur", {{"Radius", 10}}}, FastCase{"Sulfur", {{"Radius", 1}, {"CanalR", 40}}},
                      FastCase{"Screening", {{"Radius", 7}, {"mono", 1}, {"CanalR", -90}}},
                      FastCase{"Vignette", {{"Wid", 100}, {"Hei", 30}, {"Sila", 1000}}},
                      FastCase{"Vignette", {{"Wid", 400}, {"Hei", 1}, {"Sila", 3}}},
                      FastCase{"Vignette", {{"Wid", 153}, {"Hei", 37}, {"Sila", 255}}}, FastCase{"Mozaic", {{"Radius", 13}}},
                      FastCase{"Dif", {}}, FastCase{"Dif", {{"Radius", 100}}}, FastCase{"Heave", {{"Szer", 5}}},
                      FastCase{"Heave", {{"Cos", 1}, {"Wys", 314}}}, FastCase{"Shift", {{"PosX", -33}, {"PosY", 21}}},
                      FastCase{"Frag", {{"Scal", 0}, {"Szer", 3}, {"Wys", 40}}}, FastCase{"Break", {{"Szer", 9}}},
                      FastCase{"Analg", {{"Radius", 30}}}, FastCase{"Wind", {{"Radius", 7}}}, FastCase{"Wind", {}},
                      FastCase{"WetPaper", {}}, FastCase{"WetPaper", {{"R1", 3}, {"R2", 5}, {"R3", 3}, {"R4", 3}}},
                      FastCase{"Patchwork", {{"Radius", 9}, {"Thick", 4}}}),
    [](const auto& info) { return std::string(info.param.stem) + std::to_string(info.index); });

}  // namespace
}  // namespace rv
