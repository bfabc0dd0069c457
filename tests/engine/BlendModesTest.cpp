#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/BlendModes.h"
#include "engine/Random.h"

namespace rv {
namespace {

Rgb RunMode(int mode, Rgb top, Rgb base, Rgb dst = {}, int p = 100, int q = 100) {
  const Pixel src[1] = {MakePixel(base.r, base.g, base.b)};
  const Pixel d[1] = {MakePixel(dst.r, dst.g, dst.b)};
  return BlendModeProc(mode)(top, d, src, 0, p, q);
}

struct ChannelCase {
  int mode;
  int t;
  int s;
  int expected;
};

class SingleChannelModes : public ::testing::TestWithParam<ChannelCase> {};

TEST_P(SingleChannelModes, GreyInGreyOut) {
  const ChannelCase c = GetParam();
  const Rgb out = RunMode(c.mode, {c.t, c.t, c.t}, {c.s, c.s, c.s});
  EXPECT_EQ(out, (Rgb{c.expected, c.expected, c.expected})) << "mode " << c.mode << " T=" << c.t << " S=" << c.s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SingleChannelModes,
    ::testing::Values(ChannelCase{3, 255, 255, 255}, ChannelCase{3, 128, 128, 64}, ChannelCase{10, 128, 128, 128},
                      ChannelCase{22, 128, 128, 0}, ChannelCase{11, 100, 200, 156}, ChannelCase{11, 0, 255, 255},
                      ChannelCase{11, 77, 255, 255}, ChannelCase{12, 200, 0, 0}, ChannelCase{12, 0, 1, 0},
                      ChannelCase{12, 200, 200, 232}, ChannelCase{13, 100, 126, 98}, ChannelCase{13, 100, 127, 100},
                      ChannelCase{14, 128, 128, 192}, ChannelCase{15, 128, 128, 128}, ChannelCase{15, 100, 100, 122},
                      ChannelCase{9, 200, 100, 135}, ChannelCase{17, 200, 100, 178}, ChannelCase{17, 50, 100, 61},
                      ChannelCase{2, 30, 90, 30}, ChannelCase{6, 30, 90, 90}, ChannelCase{5, 100, 100, 0},
                      ChannelCase{5, 200, 100, 45}, ChannelCase{7, 255, 200, 255}, ChannelCase{7, 51, 100, 120},
                      ChannelCase{8, 200, 100, 255}, ChannelCase{16, 200, 100, 189}, ChannelCase{16, 100, 100, 78},
                      ChannelCase{18, 201, 100, 150}, ChannelCase{20, 30, 100, 70}, ChannelCase{24, 100, 100, 255},
                      ChannelCase{24, 20, 30, 70}, ChannelCase{25, 20, 30, 30}, ChannelCase{0, 300, 10, 300},
                      ChannelCase{0, -7, 10, -7}));

TEST(BlendModes, ZwyklyPassesValuesOutsideTheRange) {
  EXPECT_EQ(RunMode(0, {-5, 300, 1000}, {1, 2, 3}), (Rgb{-5, 300, 1000}));
}

TEST(BlendModes, UnclampedModesKeepWhatTheyCompute) {
  // "Ciemniej" and "Mnożenie" pass an out-of-range top through as computed.
  EXPECT_EQ(RunMode(2, {-20, 400, 5}, {10, 10, 10}), (Rgb{-20, 10, 5}));
  EXPECT_EQ(RunMode(3, {510, 0, 0}, {255, 0, 0}), (Rgb{510, 0, 0}));
}

TEST(BlendModes, DosycenieAndOdkurzenieMoveByTheDeviationsFromGrey) {
  EXPECT_EQ(RunMode(4, {90, 60, 30}, {100, 100, 100}), (Rgb{130, 100, 70}));
  EXPECT_EQ(RunMode(23, {90, 60, 30}, {100, 100, 100}), (Rgb{70, 100, 130}));
  // The base's own deviation counts too: S + (T - k) + (S - g), clamped.
  EXPECT_EQ(RunMode(4, {60, 60, 60}, {250, 100, 10}), (Rgb{255, 80, 0}));
}

TEST(BlendModes, SwiatloPunktoweChoosesMinOrMaxByTheTopMean) {
  EXPECT_EQ(RunMode(19, {200, 200, 200}, {100, 150, 250}), (Rgb{200, 200, 250}));
  EXPECT_EQ(RunMode(19, {50, 50, 50}, {100, 150, 250}), (Rgb{50, 50, 50}));
  // Mean 127 is below 128: minimum in every channel, even where T is bright.
  EXPECT_EQ(RunMode(19, {250, 100, 31}, {200, 200, 200}), (Rgb{200, 100, 31}));
}

TEST(BlendModes, BarwaTakesTheTopHueWithTheBaseLightnessAndSaturation) {
  // Pure red hue over a pure green base: hue of red, lightness 120 and saturation 240 of green.
  EXPECT_EQ(RunMode(21, {255, 0, 0}, {0, 255, 0}), (Rgb{255, 0, 0}));
  // A grey top has hue 160 (blue) and hands the base's lightness and saturation on.
  EXPECT_EQ(RunMode(21, {128, 128, 128}, {255, 0, 0}), (Rgb{0, 0, 255}));
  // A grey base has saturation 0: the result is that grey whatever the hue.
  EXPECT_EQ(RunMode(21, {255, 0, 0}, {90, 90, 90}), (Rgb{90, 90, 90}));
}

TEST(BlendModes, RozpuszczenieDrawsTwiceInFiltersAndTakesTheDestinationOnOddDraws) {
  // From seed 12345 the draws are 15301, 24996, 10921, 23577, ...
  SeedRandom(12345);
  const Rgb top{10, 20, 30};
  const Rgb d{200, 100, 50};
  // r1 = 15301 passes (mod 100 < 100), r2 = 24996 is even: the top.
  EXPECT_EQ(RunMode(1, top, {1, 1, 1}, d), top);
  // r1 = 10921, r2 = 23577 is odd: the destination pixel.
  EXPECT_EQ(RunMode(1, top, {1, 1, 1}, d), d);
  SeedRandom(12345);
  for (int i = 0; i < 4; ++i) Random();
  EXPECT_EQ(Random(), 19316);
}

TEST(BlendModes, RozpuszczenieWithPZeroDrawsOnceAndKeepsTheTop) {
  SeedRandom(12345);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(RunMode(1, {1, 2, 3}, {9, 9, 9}, {7, 7, 7}, 0, 100), (Rgb{1, 2, 3}));
  // Exactly five draws were taken: the sixth is the generator's sixth value.
  EXPECT_EQ(Random(), 10386);
}

TEST(BlendModes, RozpuszczenieInADabPassesTheFirstTestByDistanceOverRadius) {
  // r1 = 15301: 15301 mod 10 = 1, below p = 2: a second draw follows (24996, even).
  SeedRandom(12345);
  EXPECT_EQ(RunMode(1, {1, 2, 3}, {9, 9, 9}, {7, 7, 7}, 2, 10), (Rgb{1, 2, 3}));
  EXPECT_EQ(Random(), 10921);
  // With p = 1 the same r1 fails the test and nothing more is drawn.
  SeedRandom(12345);
  EXPECT_EQ(RunMode(1, {1, 2, 3}, {9, 9, 9}, {7, 7, 7}, 1, 10), (Rgb{1, 2, 3}));
  EXPECT_EQ(Random(), 24996);
}

TEST(Random, FollowsTheLinearCongruentialDefinition) {
  SeedRandom(0);
  EXPECT_EQ(Random(), 0);
  EXPECT_EQ(Random(), 346);
  EXPECT_EQ(Random(), 130);
  SeedRandom(0xFFFFFFFFu);
  std::uint32_t s = 0xFFFFFFFFu;
  for (int i = 0; i < 100; ++i) {
    s = s * 22695477u + 1u;
    ASSERT_EQ(Random(), static_cast<int>((s >> 16) & 32767u));
  }
}

TEST(BlendModes, NamesAndLookup) {
  EXPECT_STREQ(kBlendModeNames[0], "Zwykły");
  EXPECT_STREQ(kBlendModeNames[21], "Barwa");
  EXPECT_STREQ(kBlendModeNames[25], "Uśrednienie szarości");
  EXPECT_EQ(FindBlendMode("Rozpuszczenie"), 1);
  EXPECT_EQ(FindBlendMode("Średnie światła"), 13);
  EXPECT_EQ(FindBlendMode("25"), 25);
  EXPECT_EQ(FindBlendMode("26"), -1);
  EXPECT_EQ(FindBlendMode("-1"), -1);
  EXPECT_EQ(FindBlendMode("zwykły"), -1);
  EXPECT_EQ(FindBlendMode(""), -1);
  EXPECT_EQ(BlendModeProc(26), nullptr);
  EXPECT_EQ(BlendModeProc(-1), nullptr);
}

struct HlsCase {
  Rgb rgb;
  Rgb hls;
};

TEST(Hls, KnownConversions) {
  const HlsCase cases[] = {
      {{128, 128, 128}, {160, 120, 0}}, {{255, 0, 0}, {0, 120, 240}},     {{0, 255, 0}, {80, 120, 240}},
      {{0, 0, 255}, {160, 120, 240}},   {{255, 255, 255}, {160, 240, 0}}, {{0, 0, 0}, {160, 0, 0}},
  };
  for (const HlsCase& c : cases) EXPECT_EQ(RgbToHls(c.rgb.r, c.rgb.g, c.rgb.b), c.hls);
  EXPECT_EQ(HlsToRgb(160, 120, 0), (Rgb{127, 127, 127}));
  // Hue 40 - 80 leaves 0..240 and comes back as 200: blue 64.
  EXPECT_EQ(HlsToRgb(40, 120, 120).b, 64);
  EXPECT_EQ(HueToComponent(60, 180, -40), 60);
  EXPECT_EQ(HueToComponent(60, 180, 280), HueToComponent(60, 180, 40));
}

TEST(Hls, RoundTripStaysCloseForEveryColourOnAGrid) {
  for (int r = 0; r < 256; r += 17)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 17) {
        const Rgb h = RgbToHls(r, g, b);
        ASSERT_GE(h.r, 0);
        ASSERT_LE(h.r, 240);
        const Rgb back = HlsToRgb(h.r, h.g, h.b);
        ASSERT_NEAR(back.r, r, 6) << r << "," << g << "," << b;
        ASSERT_NEAR(back.g, g, 6);
        ASSERT_NEAR(back.b, b, 6);
      }
}

TEST(Hls, FastConversionEqualsThePlainOneForEveryColour) {
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) {
        const Rgb fast = RgbToHls(r, g, b);
        const Rgb plain = RgbToHlsPlain(r, g, b);
        if (!(fast == plain)) FAIL() << r << "," << g << "," << b;
      }
}

TEST(Hls, OutOfRangeTopsDoNotTrap) {
  // Effect amounts can be negative; mx + mn = 0 with mx != mn must not divide by zero.
  const Rgb h = RgbToHls(-5, 5, 0);
  EXPECT_GE(h.g, 0);
  EXPECT_EQ(RunMode(21, {-100, 100, 0}, {10, 20, 30}).r >= 0, true);
}

TEST(Clamps, Table) {
  int r = 256, g = -1, b = 255;
  ClampRgb(r, g, b);
  EXPECT_EQ((Rgb{r, g, b}), (Rgb{255, 0, 255}));
  int h = 241, l = -3, s = 240;
  ClampHls(h, l, s);
  EXPECT_EQ((Rgb{h, l, s}), (Rgb{240, 0, 240}));
  float fr = std::nanf(""), fg = 255.5f, fb = -0.0f;
  ClampRgbF(fr, fg, fb);
  EXPECT_EQ(fr, 0.0f);
  EXPECT_EQ(fg, 255.0f);
  EXPECT_EQ(fb, 0.0f);
  int cr = 127, cg = 128, cb = 0;
  ContrastingColor(cr, cg, cb);
  EXPECT_EQ((Rgb{cr, cg, cb}), (Rgb{255, 0, 255}));
}

}  // namespace
}  // namespace rv
