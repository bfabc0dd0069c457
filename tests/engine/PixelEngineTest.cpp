#include <gtest/gtest.h>

#include <array>

#include "engine/PixelEngine.h"

namespace rv {
namespace {

// Composes one pixel: candidate c over source s, destination d, mask m, transparency t.
Pixel Compose(int mode, Rgb c, Pixel s, Pixel d, int m, int t, int channel = kChannelAll) {
  CPixelEngine e;
  e.SelectBlend(mode);
  e.SelectStore(channel);
  const Pixel src[1] = {s};
  Pixel dst[1] = {d};
  e.ComposePixel(c, dst, src, 0, Percent(m), Percent(100 - m), Percent(t), Percent(100 - t));
  return dst[0];
}

TEST(ComposePixel, FullStrengthStoresTheBlendResultAndNoneStoresTheSource) {
  const Pixel s = MakePixel(10, 20, 30);
  EXPECT_EQ(Compose(0, {200, 150, 100}, s, s, 100, 100), MakePixel(200, 150, 100));
  EXPECT_EQ(Compose(3, {255, 128, 0}, s, s, 100, 100), MakePixel(10, 10, 0));
  for (int t = 0; t <= 100; ++t) {
    EXPECT_EQ(Compose(0, {255, 0, 77}, s, s, 0, t), s) << "m = 0, t = " << t;
    EXPECT_EQ(Compose(0, {255, 0, 77}, s, s, t, 0), s) << "t = 0, m = " << t;
  }
}

TEST(ComposePixel, HalfTransparencyTruncates) {
  EXPECT_EQ(Compose(0, {255, 255, 255}, MakePixel(0, 0, 0), MakePixel(0, 0, 0), 100, 50), MakePixel(127, 127, 127));
  // Selection weight and transparency combine: ((255 * 0.3 + 0) * 0.5) = 38.25.
  EXPECT_EQ(PixelRed(Compose(0, {255, 0, 0}, MakePixel(0, 0, 0), 0, 30, 50)), 38);
}

TEST(ComposePixel, ActiveChannelWritesOnlyItsByte) {
  const Pixel s = MakePixel(10, 20, 30);
  const Pixel d = 0x7F405060u;  // fourth byte 0x7F is kept
  const Rgb c{200, 150, 100};
  EXPECT_EQ(Compose(0, c, s, d, 100, 100, kChannelRed), 0x7FC85060u);
  EXPECT_EQ(Compose(0, c, s, d, 100, 100, kChannelGreen), 0x7F409660u);
  EXPECT_EQ(Compose(0, c, s, d, 100, 100, kChannelBlue), 0x7F405064u);
  EXPECT_EQ(Compose(0, c, s, d, 100, 100, kChannelAll), 0x7FC89664u);
}

TEST(PixelEngine, SelectIgnoresIndicesOutsideTheList) {
  CPixelEngine e;
  e.SelectBlend(3);
  e.SelectBlend(26);
  e.SelectBlend(-1);
  EXPECT_EQ(e.BlendIndex, 3);
  e.SelectEffect(20);
  e.SelectEffect(99);
  EXPECT_EQ(e.EffectIndex, 20);
  e.SelectStore(2);
  e.SelectStore(4);
  EXPECT_EQ(e.StoreProc, kChannelGreen);
}

TEST(SelectionWeight, FullRunReadsThePixelAndPreviewReadsThePreviewPosition) {
  SelectionMask mask(4, 3, 100);
  mask.Set(1, 2, 25);
  mask.Set(3, 0, 70);
  const Weights a = CPixelEngine::SelectionWeight(true, mask, 3, 0, 2, 1);
  EXPECT_EQ(a.w, 0.25f);
  EXPECT_EQ(a.u, 0.75f);
  const Weights b = CPixelEngine::SelectionWeight(false, mask, 3, 0, 2, 1);
  EXPECT_EQ(b.w, 0.7f);
  EXPECT_EQ(b.u, static_cast<float>(30 * 0.01));
}

TEST(ComposeDabPixel, FalloffMixesTowardTheDestination) {
  CPixelEngine e;
  e.SelectBlend(0);
  const Pixel src[1] = {MakePixel(0, 0, 0)};
  Pixel dst[1] = {MakePixel(100, 100, 100)};
  // f = 0: full composed value.
  e.ComposeDabPixel({255, 255, 255}, dst, src, 0, 1.0f, 0.0f, 1.0f, 0.0f, 0, 10, 0);
  EXPECT_EQ(dst[0], MakePixel(255, 255, 255));
  // f = 100: the destination stays.
  dst[0] = MakePixel(100, 100, 100);
  e.ComposeDabPixel({255, 255, 255}, dst, src, 0, 1.0f, 0.0f, 1.0f, 0.0f, 10, 10, 100);
  EXPECT_EQ(dst[0], MakePixel(100, 100, 100));
  // f = 50: half of 255 plus half of 100 = 177.5.
  e.ComposeDabPixel({255, 255, 255}, dst, src, 0, 1.0f, 0.0f, 1.0f, 0.0f, 5, 10, 50);
  EXPECT_EQ(dst[0], MakePixel(177, 177, 177));
}

TEST(ComposeDabPixel, UnselectedPixelKeepsItsValueAtEveryTransparencyAndFalloff) {
  CPixelEngine e;
  e.SelectBlend(0);
  const Pixel src[1] = {MakePixel(30, 60, 90)};
  for (int t = 0; t <= 100; ++t)
    for (int f = 0; f <= 100; f += 5) {
      Pixel dst[1] = {MakePixel(30, 60, 90)};
      e.ComposeDabPixel({255, 0, 7}, dst, src, 0, 0.0f, 1.0f, Percent(t), Percent(100 - t), 3, 10, f);
      ASSERT_EQ(dst[0], MakePixel(30, 60, 90)) << "t " << t << " f " << f;
    }
}

TEST(BrushUtilities, BoundsAndFalloff) {
  const BrushBox b = CPixelEngine::BrushBounds(3, 10, 0, 5, 5);
  EXPECT_EQ(b.x0, 0);
  EXPECT_EQ(b.x1, 3);
  EXPECT_EQ(b.y0, 0);
  EXPECT_EQ(b.y1, 10);
  const BrushBox c = CPixelEngine::BrushBounds(100, 100, 50, 40, 5);
  EXPECT_EQ((std::array<int, 4>{c.x0, c.x1, c.y0, c.y1}), (std::array<int, 4>{45, 55, 35, 45}));
  for (int d = 0; d <= 20; ++d) EXPECT_EQ(CPixelEngine::BrushFalloff(d, 20, 100), 0);
  EXPECT_EQ(CPixelEngine::BrushFalloff(0, 20, 0), 0);
  EXPECT_EQ(CPixelEngine::BrushFalloff(10, 20, 0), 50);
  EXPECT_EQ(CPixelEngine::BrushFalloff(20, 20, 0), 100);
  EXPECT_EQ(CPixelEngine::BrushFalloff(30, 20, 0), 100);
  EXPECT_EQ(CPixelEngine::BrushFalloff(15, 20, 30), 45);
}

TEST(PickColor, ScalesDisplayCoordinatesOntoThePicture) {
  Bitmap pic(100, 50, MakePixel(0, 0, 0));
  pic.Set(50, 25, MakePixel(1, 2, 3));
  EXPECT_EQ(CPixelEngine::PickColor(pic, 50, 25, false, 0, 0), MakePacked(1, 2, 3));
  // A display of 200 x 100: (101, 51) maps to 100 * 101 / 200 = 50, 50 * 51 / 100 = 25.
  EXPECT_EQ(CPixelEngine::PickColor(pic, 101, 51, true, 200, 100), MakePacked(1, 2, 3));
}

struct CountingProgress : CProgress {
  int max = -1, pos = 0, events = 0;
  void SetMaximum(int m) override { max = m; }
  void SetPosition(int p) override { pos = p; }
  int Position() const override { return pos; }
  void ProcessEvents() override { ++events; }
};

TEST(Progress, StepProcessesEventsThenAdvances) {
  CountingProgress p;
  CPixelEngine e;
  e.BeginRun(0, 17, &p, kChannelAll);
  EXPECT_EQ(p.max, 17);
  CPixelEngine::StepProgress(&p);
  CPixelEngine::StepProgress(&p);
  EXPECT_EQ(p.pos, 2);
  EXPECT_EQ(p.events, 2);
  CPixelEngine::StepProgress(nullptr);
}

}  // namespace
}  // namespace rv
