#include <gtest/gtest.h>

#include "filters/kernels/ToneKernels.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::RgbAt;
using test::RunFull;
using test::Uniform;

struct ToneCase {
  const char* what;
  test::Run run;
  Rgb source;
  Rgb expected;
};

class ToneKernels : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneKernels, OnePixelColour) {
  const ToneCase& c = GetParam();
  const Bitmap out = RunFull(c.run, Uniform(3, 2, c.source));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) ASSERT_EQ(RgbAt(out, x, y), c.expected) << c.what;
}

KernelContext Colours(Rgb primary, Rgb secondary) {
  KernelContext ctx;
  ctx.PrimaryColor = MakePacked(primary.r, primary.g, primary.b);
  ctx.SecondaryColor = MakePacked(secondary.r, secondary.g, secondary.b);
  return ctx;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ToneKernels,
    ::testing::Values(
        ToneCase{"lighten 0", {"Light", {{"CanalR", 0}}}, {12, 130, 250}, {12, 130, 250}},
        ToneCase{"lighten 255", {"Light", {{"CanalR", 255}}}, {12, 130, 0}, {255, 255, 255}},
        ToneCase{"lighten default", {"Light"}, {12, 130, 250}, {139, 255, 255}},
        ToneCase{"darken 0", {"Dark", {{"CanalB", 0}}}, {12, 130, 250}, {12, 130, 250}},
        ToneCase{"darken 255", {"Dark", {{"CanalG", 255}}}, {12, 130, 255}, {0, 0, 0}},
        ToneCase{"darken unlinked", {"Dark", {{"Scal", 0}, {"CanalR", 10}, {"CanalG", 20}, {"CanalB", 30}}},
                 {100, 100, 100}, {90, 80, 70}},
        ToneCase{"contrast at pivot", {"Contrast", {{"CanalR", 255}}}, {127, 127, 127}, {127, 127, 127}},
        // 73 above the pivot 100 with 255 becomes 146 above it: 246.
        ToneCase{"contrast 255", {"Contrast", {{"CanalR", 255}, {"TolerancjaR", 100}}}, {173, 173, 27},
                 {246, 246, 0}},
        ToneCase{"contrast clamps", {"Contrast", {{"CanalR", 255}, {"TolerancjaR", 100}}}, {200, 200, 200},
                 {255, 255, 255}},
        // 200 is 73 above 127: 73 * 127 / 255 = 36.
        ToneCase{"contrast default", {"Contrast"}, {200, 54, 127}, {236, 18, 127}},
        ToneCase{"gamma 99 identity", {"Gamma", {{"CanalR", 99}}}, {0, 77, 255}, {0, 77, 255}},
        ToneCase{"gamma at pivot", {"Gamma", {{"CanalR", 200}, {"RedukcjaR", 90}}}, {90, 90, 90}, {90, 90, 90}},
        ToneCase{"gamma 0 stays", {"Gamma", {{"CanalR", 255}}}, {0, 0, 0}, {0, 0, 0}},
        // 200^0.5 / 100^-0.5 = 141.42.
        ToneCase{"gamma square root", {"Gamma", {{"CanalR", 49}, {"RedukcjaR", 100}}}, {200, 200, 200},
                 {141, 141, 141}},
        ToneCase{"exposure equal", {"Exposure", {{"CanalR", 60}, {"RedukcjaR", 60}}}, {1, 128, 255}, {1, 128, 255}},
        ToneCase{"exposure double", {"Exposure", {{"CanalR", 200}, {"RedukcjaR", 100}}}, {1, 100, 200},
                 {2, 200, 255}},
        ToneCase{"exposure zero", {"Exposure", {{"CanalR", 0}}}, {1, 100, 200}, {0, 0, 0}},
        ToneCase{"posterize 255", {"Posterize", {{"CanalR", 255}}}, {255, 128, 3}, {0, 0, 0}},
        ToneCase{"posterize 1", {"Posterize", {{"CanalR", 1}}}, {255, 128, 3}, {254, 128, 2}},
        ToneCase{"posterize default", {"Posterize"}, {255, 128, 127}, {128, 128, 0}},
        ToneCase{"negative 255", {"Negativ"}, {0, 100, 255}, {255, 155, 0}},
        ToneCase{"negative equal", {"Negativ", {{"CanalR", 100}}}, {100, 50, 150}, {0, 50, 50}},
        ToneCase{"threshold equal takes secondary",
                 {"Hold", {{"Scal", 0}, {"CanalR", 100}, {"CanalG", 101}, {"CanalB", 99}},
                  Colours({1, 2, 3}, {250, 251, 252})},
                 {100, 100, 100}, {250, 2, 252}},
        ToneCase{"threshold mono dark",
                 {"Hold", {{"Mono", 1}, {"Scal", 0}, {"CanalR", 90}, {"CanalG", 120}, {"CanalB", 150}},
                  Colours({0, 0, 0}, {255, 255, 255})},
                 {119, 119, 119}, {0, 0, 0}},
        ToneCase{"threshold mono at mean",
                 {"Hold", {{"Mono", 1}, {"Scal", 0}, {"CanalR", 90}, {"CanalG", 120}, {"CanalB", 150}},
                  Colours({0, 0, 0}, {255, 255, 255})},
                 {100, 120, 140}, {255, 255, 255}},
        ToneCase{"threshold mono greys the colours",
                 {"Hold", {{"Mono", 1}}, Colours({30, 60, 90}, {200, 100, 0})}, {0, 0, 0}, {60, 60, 60}},
        ToneCase{"fill", {"Fill", {}, Colours({9, 99, 199}, {0, 0, 0})}, {1, 2, 3}, {9, 99, 199}}));

TEST(ToneKernels, EffectModeShapesTheAmount) {
  // "Mnożenie" as effect: E = 127 * S / 255; lighten adds it: 200 + 99 = 255 (clamped), 100 + 49 = 149.
  test::Run r{"Light"};
  r.ctx.TypeBox = 3;
  const Bitmap out = RunFull(r, Uniform(1, 1, {200, 100, 0}));
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{255, 149, 0}));
}

TEST(ToneKernels, BlendModeLaysTheCandidateOverTheSource) {
  // Negative 255 of 100 is 155; "Ciemniej" keeps min(100, 155) = 100, "Jaśniej" 155.
  test::Run r{"Negativ"};
  r.ctx.Tryb = 2;
  EXPECT_EQ(RgbAt(RunFull(r, Uniform(1, 1, {100, 200, 0})), 0, 0), (Rgb{100, 55, 0}));
  r.ctx.Tryb = 6;
  EXPECT_EQ(RgbAt(RunFull(r, Uniform(1, 1, {100, 200, 0})), 0, 0), (Rgb{155, 200, 255}));
}

TEST(ToneKernels, FillMixesEachPixelByItsSelectionWeight) {
  SelectionMask mask(4, 1, 0);
  mask.Set(1, 0, 100);
  mask.Set(2, 0, 50);
  mask.Set(3, 0, 1);
  test::Run r{"Fill", {}, Colours({200, 100, 0}, {})};
  r.mask = &mask;
  const Bitmap out = RunFull(r, Uniform(4, 1, {0, 0, 200}));
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{0, 0, 200}));
  EXPECT_EQ(RgbAt(out, 1, 0), (Rgb{200, 100, 0}));
  EXPECT_EQ(RgbAt(out, 2, 0), (Rgb{100, 50, 100}));
  // Weight 1 is 0.01f, a little below 0.01: 200 * w = 1.99999996 truncates to 1.
  EXPECT_EQ(RgbAt(out, 3, 0), (Rgb{1, 0, 198}));
}

TEST(ToneKernels, ZeroTransparencyLeavesEveryPixel) {
  const Bitmap src = test::Noise(31, 7, 5);
  test::Run r{"Negativ"};
  r.transparency = 0;
  EXPECT_EQ(RunFull(r, src), src);
}

TEST(ToneKernels, ThresholdIgnoresTheBlendModeItDoesNotHave) {
  test::Run r{"Hold", {}, Colours({0, 0, 0}, {255, 255, 255})};
  r.ctx.Tryb = 3;  // no "Tryb:" in this dialog: the run must not use it
  EXPECT_EQ(RgbAt(RunFull(r, Uniform(1, 1, {200, 0, 127})), 0, 0), (Rgb{255, 0, 255}));
}

TEST(ToneKernels, RedChannelOnlyChangesTheRedByte) {
  test::Run r{"Negativ"};
  r.ctx.ActiveChannel = kChannelRed;
  const Bitmap out = RunFull(r, Uniform(2, 2, {10, 20, 30}));
  EXPECT_EQ(RgbAt(out, 1, 1), (Rgb{245, 20, 30}));
}

TEST(ToneKernels, FourthByteIsKept) {
  Bitmap src(2, 1, 0x12345678u);
  test::Run r{"Negativ"};
  const Bitmap out = RunFull(r, src);
  EXPECT_EQ(out.At(0, 0) >> 24, 0x12u);
}

TEST(ToneKernels, PreviewRunReadsTheMaskAtTheTruePicturePosition) {
  // Picture 10 x 10, only column 7 row 4 selected; a preview region of 3 x 3 at (6, 3).
  SelectionMask mask(10, 10, 0);
  mask.Set(7, 4, 100);
  const Bitmap region = Uniform(3, 3, {0, 0, 0});
  Bitmap dst = region;
  CPixelEngine e;
  KernelContext ctx;
  ctx.PreviewLeft = 6;
  ctx.PreviewTop = 3;
  for (bool plain : {false, true}) {
    ctx.PlainPath = plain;
    dst = region;
    ApplyNegativ({e, dst, region, mask, 100, false, 3, 3, ctx}, 255, 255, 255);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(RgbAt(dst, x, y), (x == 1 && y == 1 ? Rgb{255, 255, 255} : Rgb{0, 0, 0})) << x << "," << y;
  }
}

// Sets Cancelled while the event loop runs at the start of row `at`.
struct CancellingProgress : CProgress {
  CPixelEngine* engine;
  int at;
  int max = 0, pos = 0;
  CancellingProgress(CPixelEngine* e, int row) : engine(e), at(row) {}
  void SetMaximum(int m) override { max = m; }
  void SetPosition(int p) override { pos = p; }
  int Position() const override { return pos; }
  void ProcessEvents() override {
    if (pos == at) engine->Cancelled = true;
  }
};

TEST(ToneKernels, CancelStopsAtTheNextRowWithoutResettingProgress) {
  const Bitmap src = Uniform(4, 6, {10, 10, 10});
  for (bool plain : {false, true}) {
    Bitmap dst = src;
    CPixelEngine e;
    CancellingProgress p(&e, 3);
    KernelContext ctx;
    ctx.Progress = &p;
    ctx.PlainPath = plain;
    SelectionMask mask(4, 6, 100);
    ApplyNegativ({e, dst, src, mask, 100, true, 4, 6, ctx}, 255, 255, 255);
    EXPECT_TRUE(e.Cancelled);
    EXPECT_EQ(p.max, 6);
    EXPECT_EQ(p.pos, 4);  // stepped for row 3, then stopped; not reset
    for (int y = 0; y < 6; ++y) EXPECT_EQ(RgbAt(dst, 0, y).r, y < 3 ? 245 : 10) << y;
  }
}

TEST(ToneKernels, CompletedRunResetsProgressAndPreviewDoesNotStep) {
  const Bitmap src = Uniform(4, 6, {10, 10, 10});
  struct Count : CProgress {
    int max = 0, pos = 0, events = 0, sets = 0;
    void SetMaximum(int m) override { max = m; }
    void SetPosition(int p) override { pos = p; ++sets; }
    int Position() const override { return pos; }
    void ProcessEvents() override { ++events; }
  } p;
  Bitmap dst = src;
  CPixelEngine e;
  KernelContext ctx;
  ctx.Progress = &p;
  SelectionMask mask(4, 6, 100);
  ApplyLight({e, dst, src, mask, 100, true, 4, 6, ctx}, 1, 1, 1);
  EXPECT_EQ(p.events, 6);
  EXPECT_EQ(p.pos, 0);
  p.events = 0;
  ApplyLight({e, dst, src, mask, 100, false, 4, 6, ctx}, 1, 1, 1);
  EXPECT_EQ(p.events, 0);
}

TEST(ToneKernels, MissingMaskCountsAsEverythingSelected) {
  const Bitmap src = Uniform(3, 3, {0, 0, 0});
  Bitmap dst = src;
  CPixelEngine e;
  KernelContext ctx;
  ApplyNegativ({e, dst, src, SelectionMask(), 100, true, 3, 3, ctx}, 255, 255, 255);
  EXPECT_EQ(RgbAt(dst, 2, 2), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace rv
