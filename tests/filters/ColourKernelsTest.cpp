// The colour, histogram, gradient, alignment and overlay kernels on small
// pictures whose results follow from the formulas by hand.
#include <gtest/gtest.h>

#include "filters/kernels/ColourKernels.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::RgbAt;

// A one-row picture of the given colours.
Bitmap Row(std::initializer_list<Rgb> colours) {
  Bitmap b(static_cast<int>(colours.size()), 1);
  int x = 0;
  for (const Rgb& c : colours) b.Set(x++, 0, MakePixel(c.r, c.g, c.b));
  return b;
}

struct PixelCase {
  const char* what;
  test::Run run;
  Rgb in;
  Rgb out;
};

TEST(ColourKernels, SinglePixelsFollowTheFormulas) {
  const PixelCase cases[] = {
      {"balance -255 clears red", {"BalanceColor", {{"CanalR", -255}}}, {200, 100, 50}, {0, 100, 50}},
      {"balance adds per channel", {"BalanceColor", {{"CanalG", 20}, {"CanalB", -30}}}, {10, 10, 40}, {10, 30, 10}},
      // 1 against 255: (s - u) * 1 / 255 is 0, so the channel becomes the mean.
      {"saturation 1/255 gives the mean",
       {"Saturation", {{"Scal", 0}, {"ScalTolerant", 0}, {"CanalR", 1}, {"RedukcjaR", 255}}},
       {255, 0, 0},
       {85, 0, 0}},
      {"saturation keeps a grey", {"Saturation"}, {90, 90, 90}, {90, 90, 90}},
      // Defaults 200 / 127: u = 50, (100 - 50) * 200 / 127 + 50 = 128, (0 - 50) * 200 / 127 + 50 = -28 -> 0.
      {"saturation raises", {"Saturation"}, {100, 50, 0}, {128, 50, 0}},
      {"grey scale", {"GrayFilter"}, {30, 60, 90}, {60, 60, 60}},
      // Rozpietosc 127: k = 1.27f, 127 * k = 161.29.
      {"sepia of white", {"Sepia"}, {255, 255, 255}, {255, 255, 255}},
      {"sepia of black", {"Sepia"}, {0, 0, 0}, {161, 127, 0}},
      {"hue 80 turns red into green", {"Hue", {{"Power", 80}}}, {255, 0, 0}, {0, 255, 0}},
      {"selective all 0", {"Selective"}, {13, 128, 250}, {13, 128, 250}},
      {"shadows lift black", {"Shadow", {{"CanalR", 100}}}, {0, 0, 0}, {100, 100, 100}},
      {"shadows leave the threshold", {"Shadow", {{"CanalR", 100}}}, {200, 100, 60}, {200, 100, 60}},
      // u = 60 < 120: (100 - 60 * 100 / 120) * 100 / 100 = 50 added.
      {"shadows half way", {"Shadow", {{"CanalR", 100}}}, {60, 60, 60}, {110, 110, 110}},
      {"highlights lower white", {"Shadow", {{"CanalR", -100}, {"swiatla", 1}}}, {255, 255, 255}, {155, 155, 155}},
      {"highlights leave the threshold", {"Shadow", {{"CanalR", -100}, {"swiatla", 1}}}, {120, 130, 110}, {120, 130, 110}},
      {"self-overlay Zwykły", {"Layer"}, {1, 128, 255}, {1, 128, 255}},
  };
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RgbAt(test::RunFull(c.run, test::Uniform(1, 1, c.in)), 0, 0), c.out);
  }
}

TEST(ColourKernels, SelfOverlayMultiplySquares) {
  test::Run run{"Layer"};
  run.ctx.Tryb = 3;  // "Mnożenie"
  EXPECT_EQ(RgbAt(test::RunFull(run, test::Uniform(1, 1, {128, 255, 0})), 0, 0), (Rgb{64, 255, 0}));
}

TEST(ColourKernels, SelectiveCyanLowersDarkRed) {
  // (0 + 0 + 0 - 255) div 2 = -127 -> 0; 128 -> 66; 255 stays.
  const Bitmap out = test::RunFull({"Selective", {{"CanalC", 255}}}, Row({{0, 9, 9}, {128, 9, 9}, {255, 9, 9}}));
  EXPECT_EQ(RgbAt(out, 0, 0).r, 0);
  EXPECT_EQ(RgbAt(out, 1, 0).r, 66);
  EXPECT_EQ(RgbAt(out, 2, 0).r, 255);
}

TEST(ColourKernels, HueFullTurnEqualsNoTurnAndGreysStayGrey) {
  const Bitmap src = test::Noise(23, 7, 5);
  EXPECT_TRUE(test::RunFull({"Hue", {{"Power", 240}}}, src) == test::RunFull({"Hue", {{"Power", 0}}}, src));
  const Rgb g = RgbAt(test::RunFull({"Hue", {{"Power", 80}}}, test::Uniform(1, 1, {128, 128, 128})), 0, 0);
  EXPECT_TRUE(g.r == g.g && g.g == g.b) << g.r << " " << g.g << " " << g.b;
}

TEST(ColourKernels, HueFastPathEqualsThePlainOneForEveryColour) {
  // The fast path turns hues through its own copy of the conversions: every
  // colour once, at a turn that wraps some hues past 240.
  Bitmap all(4096, 4096);
  for (int y = 0; y < 4096; ++y)
    for (int x = 0; x < 4096; ++x) all.Set(x, y, 0xFF000000u | static_cast<Pixel>(y * 4096 + x));
  test::Run fast{"Hue", {{"Power", 197}}};
  test::Run plain = fast;
  plain.ctx.PlainPath = true;
  EXPECT_TRUE(test::RunFull(fast, all) == test::RunFull(plain, all));
}

TEST(ColourKernels, NeutralSettingsLeaveThePictureAlone) {
  const Bitmap src = test::Noise(19, 6, 8);
  const test::Run neutral[] = {
      {"BalanceColor"},
      {"Saturation", {{"CanalR", 127}, {"RedukcjaR", 127}}},
      {"Selective"},
      {"Layer"},
      {"Width"},
      {"Height"},
      {"Texture", {{"Power", 0}}},
  };
  for (const test::Run& r : neutral) EXPECT_TRUE(SameColors(test::RunFull(r, src), src)) << r.stem;
}

TEST(HistogramKernels, StretchingSpreadsByAWholeFactor) {
  // Red spans 100..150 (factor 5); green and blue span 0..255 (factor 1).
  const Bitmap out = test::RunFull({"Extension"}, Row({{100, 0, 255}, {125, 128, 7}, {150, 255, 0}}));
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(RgbAt(out, 1, 0), (Rgb{125, 128, 7}));
  EXPECT_EQ(RgbAt(out, 2, 0), (Rgb{250, 255, 0}));
  // Green 60..255: factor 1, shifted down by 60.
  EXPECT_EQ(RgbAt(test::RunFull({"Extension"}, Row({{0, 60, 0}, {255, 255, 255}})), 0, 0), (Rgb{0, 0, 0}));
}

// The range is measured four pixels at a time with a tail: wherever the
// extremes lie (in a block, in the tail, in another row) the factor is the
// definition's.
TEST(HistogramKernels, StretchingMeasuresEveryPixel) {
  for (const auto& [w, h] : {std::pair{1, 3}, std::pair{3, 2}, std::pair{4, 1}, std::pair{5, 3}, std::pair{13, 7}}) {
    for (int at = 0; at < w * h; at += 2) {
      // Red 110..130 except one pixel at 90 (low) and, beside it, one at 170 (high).
      Bitmap src(w, h);
      std::uint32_t seed = static_cast<std::uint32_t>(at * 31 + w);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          seed = seed * 1664525u + 1013904223u;
          src.Set(x, y, MakePixel(110 + static_cast<int>(seed >> 24) % 21, static_cast<int>(seed >> 8) & 0xFF, 40));
        }
      src.Set(at % w, at / w, MakePixel(90, 0, 40));
      const int hiAt = (at + 1) % (w * h);
      if (w * h > 1) src.Set(hiAt % w, hiAt / w, MakePixel(170, 255, 41));
      const int lo = 90, hi = w * h > 1 ? 170 : 90;
      const Bitmap out = test::RunFull({"Extension"}, src);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int r = RgbAt(src, x, y).r;
          const int expected = hi > lo ? std::min(255, 255 / (hi - lo) * (r - lo)) : r;
          ASSERT_EQ(RgbAt(out, x, y).r, expected) << w << "x" << h << " extremes at " << at << ", pixel " << x << "," << y;
        }
    }
  }
}

TEST(HistogramKernels, AChannelOfOneValueIsLeftAsItIs) {
  // Blue is 77 everywhere: neither kernel may divide by zero, and blue stays.
  const Bitmap src = Row({{0, 10, 77}, {255, 200, 77}, {30, 10, 77}});
  for (const char* stem : {"Extension", "Aligment"}) {
    const Bitmap out = test::RunFull({stem}, src);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(RgbAt(out, x, 0).b, 77) << stem;
  }
  EXPECT_TRUE(SameColors(test::RunFull({"Aligment"}, test::Uniform(4, 4, {9, 9, 9})), test::Uniform(4, 4, {9, 9, 9})));
}

TEST(HistogramKernels, EqualisationMapsTheCumulativeShare) {
  // 0 and 255 equally often: c0 = 0.5, 0 -> 0, 255 -> 255.
  const Bitmap even = test::RunFull({"Aligment"}, Row({{0, 0, 0}, {255, 255, 255}}));
  EXPECT_EQ(RgbAt(even, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(RgbAt(even, 1, 0), (Rgb{255, 255, 255}));
  // 50 a quarter of the time, 200 the rest: 50 -> 0, 200 -> 255.
  const Bitmap skew = test::RunFull({"Aligment"}, Row({{50, 50, 50}, {200, 200, 200}, {200, 200, 200}, {200, 200, 200}}));
  EXPECT_EQ(RgbAt(skew, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(RgbAt(skew, 3, 0), (Rgb{255, 255, 255}));
  // Three values a third each: the highest still reaches 255, the middle (2/3 - 1/3) / (2/3) * 255 = 127.
  const Bitmap thirds = test::RunFull({"Aligment"}, Row({{10, 10, 10}, {20, 20, 20}, {30, 30, 30}}));
  EXPECT_EQ(RgbAt(thirds, 1, 0).r, 127);
  EXPECT_EQ(RgbAt(thirds, 2, 0).r, 255);
}

TEST(GradientKernels, LinearGradientAcrossTheColumns) {
  test::Run run{"GradientWidth", {{"Wid", 200}, {"Sila", 50}}};
  run.ctx.PrimaryColor = MakePacked(0, 0, 0);
  run.ctx.SecondaryColor = MakePacked(255, 255, 255);
  FilterSettings probe(*FindFilter("GradientWidth"));
  FindFilter("GradientWidth")->Prepare(probe, 400, 1);
  EXPECT_EQ(probe.Max("Wid"), 400);  // the command widens the range to the picture
  EXPECT_EQ(probe.Get("Wid"), 200);
  // RunFull applies the sets on the form's range 1..255; Wid 200 fits it.
  const Bitmap out = test::RunFull(run, test::Noise(400, 1, 3));
  EXPECT_EQ(RgbAt(out, 200, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(RgbAt(out, 300, 0), (Rgb{127, 127, 127}));  // f = 0.5
  EXPECT_EQ(RgbAt(out, 100, 0), (Rgb{127, 127, 127}));
  EXPECT_EQ(RgbAt(out, 0, 0), (Rgb{0, 0, 0}));          // f = 1
  EXPECT_EQ(RgbAt(out, 399, 0), (Rgb{1, 1, 1}));        // f = 0.995: 0.005 * 255 = 1.27
}

TEST(GradientKernels, RadialGradientReachesThePrimaryAtSilaPercentOfTheDiagonal) {
  // 100 x 50: diagonal 111; centre (1, 1); the far corner (99, 49) is 109 away.
  test::Run far{"GradientPoint", {{"Wid", 1}, {"Hei", 1}, {"Sila", 100}}};
  far.ctx.PrimaryColor = MakePacked(0, 0, 0);
  far.ctx.SecondaryColor = MakePacked(255, 255, 255);
  const Bitmap a = test::RunFull(far, test::Noise(100, 50, 1));
  EXPECT_EQ(RgbAt(a, 1, 1), (Rgb{255, 255, 255}));
  // f = 109 * 100 / 111 / 100 = 0.98198..., (1 - f) * 255 = 4.59
  EXPECT_EQ(RgbAt(a, 99, 49), (Rgb{4, 4, 4}));
  test::Run tight = far;
  tight.sets = {{"Wid", 1}, {"Hei", 1}, {"Sila", 1}};
  const Bitmap b = test::RunFull(tight, test::Noise(100, 50, 1));
  EXPECT_EQ(RgbAt(b, 1, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(RgbAt(b, 2, 1), (Rgb{25, 25, 25}));  // r = 1: f = 100 / 111 = 0.9009, (1 - f) * 255 = 25.2
  EXPECT_EQ(RgbAt(b, 3, 1), (Rgb{0, 0, 0}));        // r = 2 > 1.11
  // With "Zwykły" the picture underneath does not matter.
  EXPECT_TRUE(SameColors(a, test::RunFull(far, test::Noise(100, 50, 2))));
}

// A preview run over the region (left, top, w, h) of the document.
Bitmap RunPreview(const test::Run& r, const Bitmap& doc, int left, int top, int w, int h) {
  const FilterDecl* decl = FindFilter(r.stem);
  FilterSettings v(*decl);
  for (const auto& [name, value] : r.sets) EXPECT_EQ(v.Set(name, value), "");
  const Bitmap src = doc.Copy(left, top, w, h);
  Bitmap dst = src;
  SelectionMask mask(doc.Width(), doc.Height(), 100);
  CPixelEngine e;
  KernelContext ctx = r.ctx;
  ctx.Picture = &doc;
  ctx.PreviewLeft = left;
  ctx.PreviewTop = top;
  ctx.OverlayOffsetX = left;
  ctx.OverlayOffsetY = top;
  decl->Run({e, dst, src, mask, 100, false, w, h, ctx}, v);
  return dst;
}

TEST(PreviewRuns, ShowTheSameRegionAsTheFullRun) {
  // The histogram kernels measure the whole picture, the gradients and
  // overlays place the region by its origin: a preview equals its region of
  // the full run.
  Bitmap doc = test::Noise(60, 40, 4);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 30; ++x) doc.Set(x, y, MakePixel(100 + x % 7, 50, 200));  // a dull left half
  const Bitmap overlay = test::Noise(60, 40, 9);
  const Bitmap small = test::Noise(9, 5, 10);
  test::Run runs[] = {
      {"Extension"},
      {"Aligment"},
      {"GradientWidth", {{"Wid", 17}, {"Sila", 20}}},
      {"GradientPoint", {{"Wid", 40}, {"Hei", 9}, {"Sila", 30}}},
      {"Texture", {{"Power", 150}}},
      {"Imposition"},
  };
  runs[4].ctx.Overlay = &overlay;
  runs[4].ctx.OverlayMean = MeasureTextureMean(overlay);
  runs[5].ctx.Overlay = &small;
  for (test::Run& r : runs) {
    SCOPED_TRACE(r.stem);
    r.ctx.TypeBox = 14;  // "Screen": the effect sees the position's colour
    const Bitmap full = test::RunFull(r, doc);
    EXPECT_TRUE(SameColors(RunPreview(r, doc, 3, 2, 25, 30), full.Copy(3, 2, 25, 30)));
    EXPECT_FALSE(SameColors(full, doc));
  }
}

TEST(OverlayKernels, ThePictureOverlayCoversOnlyItsRectangle) {
  const Bitmap doc = test::Noise(30, 30, 2);
  const Bitmap ov = test::Noise(3, 2, 6);
  FilterSettings v(*FindFilter("Imposition"));
  PrepareImpositionRanges(v, 30, 30, 3, 2);
  EXPECT_EQ(v.Min("OsieX"), -3);
  EXPECT_EQ(v.Max("OsieY"), 30);
  auto run = [&](int ox, int oy) {
    Bitmap dst = doc;
    SelectionMask mask(30, 30, 100);
    CPixelEngine e;
    KernelContext ctx;
    ctx.Overlay = &ov;
    ApplyImposition({e, dst, doc, mask, 100, true, 30, 30, ctx}, ox, oy, 0, 0);
    return dst;
  };
  const Bitmap out = run(10, 20);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 10 && x < 13 && y >= 20 && y < 22;
      EXPECT_EQ(out.At(x, y) & 0xFFFFFFu, (inside ? ov.At(x - 10, y - 20) : doc.At(x, y)) & 0xFFFFFFu) << x << "," << y;
    }
  EXPECT_TRUE(SameColors(run(-3, 0), doc));
  EXPECT_TRUE(SameColors(run(0, 30), doc));
}

TEST(OverlayKernels, TextureAddsItsDeviationFromTheMean) {
  const Bitmap src = test::Noise(8, 5, 12);
  auto texture = [&](const Bitmap& tex, int power, bool mono) {
    test::Run r{"Texture", {{"Power", power}, {"mon", mono ? 1 : 0}}};
    r.ctx.Overlay = &tex;
    r.ctx.OverlayMean = MeasureTextureMean(tex);
    return test::RunFull(r, src);
  };
  // A uniform texture has no deviation, whatever Power.
  EXPECT_TRUE(SameColors(texture(test::Uniform(8, 5, {200, 30, 90}), 255, false), src));
  // Monochrome against a uniform red: grey 85, red +170 * f, green and blue -85 * f.
  const Bitmap red = texture(test::Uniform(8, 5, {255, 0, 0}), 50, true);
  const Rgb s = RgbAt(src, 0, 0);
  auto clamp = [](int v) { return std::clamp(v, 0, 255); };
  // 0.5 * 170 = 85; 0.5 * -85 = -42.5, and s - 42.5 truncates toward zero.
  EXPECT_EQ(RgbAt(red, 0, 0), (Rgb{clamp(s.r + 85), clamp(static_cast<int>(s.g - 42.5)), clamp(static_cast<int>(s.b - 42.5))}));
  // Equal channel means (20, 20, 20): monochrome changes nothing.
  Bitmap even(8, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x) even.Set(x, y, x % 2 ? MakePixel(10, 20, 30) : MakePixel(30, 20, 10));
  ASSERT_EQ(MeasureTextureMean(even), (Rgb{20, 20, 20}));
  EXPECT_TRUE(SameColors(texture(even, 80, true), texture(even, 80, false)));
  EXPECT_FALSE(SameColors(texture(even, 80, true), src));
  EXPECT_TRUE(SameColors(texture(test::Noise(8, 5, 3), 0, true), src));
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

TEST(ColourKernels, CancelStopsAtTheNextRowWithoutResettingProgress) {
  const Bitmap src = test::Noise(7, 6, 1);
  const Bitmap before = test::Noise(7, 6, 2);
  const Bitmap overlay = test::Noise(7, 6, 3);
  const char* stems[] = {"BalanceColor", "Saturation", "GrayFilter",    "Sepia",         "Hue",
                         "Selective",    "Shadow",     "Layer",         "Extension",     "Aligment",
                         "GradientWidth", "GradientPoint", "Width",     "Height",        "Imposition",
                         "Texture"};
  for (const char* stem : stems)
    for (bool plain : {false, true}) {
      SCOPED_TRACE(std::string(stem) + (plain ? " plain" : " fast"));
      const FilterDecl* d = FindFilter(stem);
      FilterSettings v(*d);
      Bitmap dst = before;
      CPixelEngine e;
      CancellingProgress p(&e, 3);
      KernelContext ctx;
      ctx.Progress = &p;
      ctx.PlainPath = plain;
      ctx.Picture = &src;
      ctx.Overlay = &overlay;
      ctx.OverlayMean = MeasureTextureMean(overlay);
      SelectionMask mask(7, 6, 100);
      d->Run({e, dst, src, mask, 100, true, 7, 6, ctx}, v);
      EXPECT_TRUE(e.Cancelled);
      EXPECT_EQ(p.max, 6);
      EXPECT_EQ(p.pos, 4);  // stepped for row 3, then stopped; not reset
      // Rows from 3 on are not processed; equalisation has copied the source into them first.
      const Bitmap& rest = std::string(stem) == "Aligment" ? src : before;
      EXPECT_TRUE(dst.Copy(0, 3, 7, 3) == rest.Copy(0, 3, 7, 3));
    }
}

TEST(OverlayKernels, TextureMeanIsTheWholeQuotient) {
  EXPECT_EQ(MeasureTextureMean(Row({{0, 0, 0}, {255, 255, 1}})), (Rgb{127, 127, 0}));
  EXPECT_EQ(MeasureTextureMean(Bitmap()), (Rgb{0, 0, 0}));
}

// Rows longer than the sums' 32-bit runs: the mean is still the exact quotient.
TEST(OverlayKernels, TextureMeanOfLongRowsIsExact) {
  const Bitmap white(70000, 3, MakePixel(255, 255, 255));
  EXPECT_EQ(MeasureTextureMean(white), (Rgb{255, 255, 255}));
  // Dark in the first run of each row, light after it.
  Bitmap split(140001, 2, MakePixel(0, 0, 0));
  for (int y = 0; y < 2; ++y)
    for (int x = 65536; x < 140001; ++x) split.Set(x, y, MakePixel(255, 128, 1));
  // 255 * 74465 div 140001 = 135, 128 * 74465 div 140001 = 68, 74465 div 140001 = 0.
  EXPECT_EQ(MeasureTextureMean(split), (Rgb{135, 68, 0}));
}

}  // namespace
}  // namespace rv
