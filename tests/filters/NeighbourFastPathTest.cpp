// The incremental paths of the neighbourhood kernels against their per-pixel
// definitions, bit for bit, on pictures large enough for every part of the
// fast paths (the matrix interior, the median's bands and strips, the
// feathering distances), with random masks, radii, borders, previews and modes.
#include <gtest/gtest.h>

#include <cmath>

#include "filters/kernels/NeighbourKernels.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

struct Lcg {
  std::uint32_t s;
  int Next(int n) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
  }
};

SelectionMask RandomMask(int w, int h, Lcg& g) {
  static const std::uint8_t values[] = {0, 100, 100, 37, 1, 99, 50, 100};
  SelectionMask m(w, h);
  const bool full = g.Next(3) == 0;  // the usual case: everything selected
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.Set(x, y, full ? 100 : values[g.Next(8)]);
  return m;
}

// A picture with flat areas and steps besides noise, so that ranks repeat.
Bitmap RandomPicture(int w, int h, Lcg& g) {
  Bitmap b = test::Noise(w, h, static_cast<std::uint32_t>(g.Next(1 << 30)));
  if (g.Next(2) == 0)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((x / 7 + y / 5) % 3 == 0) b.Set(x, y, MakePixel(x % 4 * 60, 200, y % 3 * 100));
  return b;
}

struct RunSetup {
  KernelContext ctx;
  int transparency = 100;
  bool fullRun = true;
  SelectionMask mask;
};

// Default modes mostly, then modes that work per channel, mix channels, or draw.
RunSetup RandomSetup(int w, int h, Lcg& g) {
  static const int modes[] = {0, 0, 0, 3, 14, 20, 1, 4, 19, 21, 25};
  RunSetup s;
  s.ctx.Tryb = modes[g.Next(11)];
  s.ctx.TypeBox = modes[g.Next(11)];
  s.ctx.ActiveChannel = g.Next(3) == 0 ? g.Next(4) : kChannelAll;
  s.transparency = g.Next(3) == 0 ? g.Next(101) : 100;
  s.fullRun = g.Next(3) != 0;
  const int left = s.fullRun ? 0 : g.Next(6), top = s.fullRun ? 0 : g.Next(6);
  s.ctx.PreviewLeft = left;
  s.ctx.PreviewTop = top;
  s.mask = RandomMask(w + left, h + top, g);
  return s;
}

template <class Kernel>
void ExpectSame(const Bitmap& src, const RunSetup& s, Kernel kernel, const std::string& what) {
  Bitmap out[2];
  std::uint32_t state[2];
  for (int plain = 0; plain < 2; ++plain) {
    out[plain] = test::Noise(src.Width(), src.Height(), 7);
    CPixelEngine e;
    KernelContext ctx = s.ctx;
    ctx.PlainPath = plain == 1;
    SeedRandom(99);
    kernel(KernelArgs{e, out[plain], src, s.mask, s.transparency, s.fullRun, src.Width(), src.Height(), ctx});
    state[plain] = RandomState();
  }
  ASSERT_EQ(state[0], state[1]) << what;
  ASSERT_TRUE(out[0] == out[1]) << what << " tryb " << s.ctx.Tryb << " typebox " << s.ctx.TypeBox << " t "
                                << s.transparency << " channel " << s.ctx.ActiveChannel;
}

const std::pair<int, int> kSizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {2, 3}, {5, 5}, {21, 4}, {40, 33}};

TEST(NeighbourFastPath, WindowStatisticsAtEveryRadius) {
  Lcg g{11};
  for (int radius : {0, 1, 2, 3, 5, 10, 40}) {
    for (auto [w, h] : kSizes) {
      const Bitmap src = RandomPicture(w, h, g);
      const RunSetup s = RandomSetup(w, h, g);
      const std::string at = " r " + std::to_string(radius) + " " + std::to_string(w) + "x" + std::to_string(h);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyBlurFilter(a, radius); }, "blur" + at);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMin(a, radius); }, "min" + at);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMax(a, radius); }, "max" + at);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMedian(a, radius); }, "median" + at);
    }
  }
}

// Wider than one strip and taller than one band of the median's histograms.
TEST(NeighbourFastPath, LargePictures) {
  Lcg g{12};
  for (int radius : {1, 2, 4, 10}) {
    const int w = 290 + g.Next(20), h = 130 + g.Next(10);
    const Bitmap src = RandomPicture(w, h, g);
    const RunSetup s = RandomSetup(w, h, g);
    const std::string at = " r " + std::to_string(radius);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMedian(a, radius); }, "median" + at);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyBlurFilter(a, radius); }, "blur" + at);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMin(a, radius); }, "min" + at);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMax(a, radius); }, "max" + at);
  }
  const Bitmap src = RandomPicture(170, 80, g);
  const RunSetup s = RandomSetup(170, 80, g);
  ExpectSame(src, s, [&](const KernelArgs& a) { ApplyDeleteNoise(a, 0, 5, 40); }, "noise removal");
}

TEST(NeighbourFastPath, NoiseRemovalThresholds) {
  Lcg g{13};
  for (auto [w, h] : kSizes) {
    const Bitmap src = RandomPicture(w, h, g);
    const RunSetup s = RandomSetup(w, h, g);
    const int r = g.Next(41), gr = g.Next(41), b = g.Next(41);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyDeleteNoise(a, r, gr, b); }, "noise removal");
  }
}

TEST(NeighbourFastPath, MatricesOfEveryDialogAndArbitraryWeights) {
  Lcg g{14};
  const MatrixButton buttons[] = {MatrixButton::N, MatrixButton::NW, MatrixButton::NE, MatrixButton::W, MatrixButton::E,
                                  MatrixButton::SW, MatrixButton::S, MatrixButton::SE, MatrixButton::NN};
  for (MatrixButton b : buttons) {
    const FilterMatrix ms[] = {BuildEdgesMatrix(b, 1 + g.Next(20)), BuildHPMatrix(b), BuildEdgesGradientMatrix(b),
                               BuildDomedMatrix(b), BuildLaplaceMatrix(b), BuildContoursMatrix(b)};
    for (const FilterMatrix& m : ms) {
      const auto [w, h] = kSizes[g.Next(8)];
      const Bitmap src = RandomPicture(w, h, g);
      const RunSetup s = RandomSetup(w, h, g);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMatrix(a, m, 1); }, "matrix");
    }
  }
  // Weights that are not whole numbers round at every addition: the order counts.
  for (int i = 0; i < 20; ++i) {
    FilterMatrix m;
    for (auto& row : m)
      for (float& c : row) c = static_cast<float>(g.Next(2001) - 1000) / 137.0f;
    const Bitmap src = RandomPicture(37, 23, g);
    const RunSetup s = RandomSetup(37, 23, g);
    ExpectSame(src, s, [&](const KernelArgs& a) { ApplyMatrix(a, m, 1); }, "fractional matrix");
  }
}

// A selection of an ellipse and scattered pixels, partly selected values among them.
SelectionMask FeatherMask(int w, int h, Lcg& g) {
  SelectionMask m(w, h, 0);
  const double cx = g.Next(w), cy = g.Next(h), ax = 3 + g.Next(w / 2 + 1), ay = 3 + g.Next(h / 2 + 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double u = (x - cx) / ax, v = (y - cy) / ay;
      if (u * u + v * v <= 1.0) m.Set(x, y, 100);
      if (g.Next(97) == 0) m.Set(x, y, static_cast<std::uint8_t>(1 + g.Next(100)));
    }
  return m;
}

TEST(NeighbourFastPath, FeatheringDistances) {
  Lcg g{15};
  for (int d : {1, 2, 3, 4, 7, 13, 60}) {
    for (auto [w, h] : {std::pair{1, 1}, {1, 12}, {12, 1}, {9, 9}, {61, 45}, {130, 70}}) {
      if (d == 60 && w * h > 6000) continue;  // the definition scans 121 x 121 per pixel
      const Bitmap src = RandomPicture(w, h, g);
      RunSetup s = RandomSetup(w, h, g);
      s.mask = FeatherMask(w + s.ctx.PreviewLeft, h + s.ctx.PreviewTop, g);
      ExpectSame(src, s, [&](const KernelArgs& a) { ApplyFeather(a, d); },
                 "feather d " + std::to_string(d) + " " + std::to_string(w) + "x" + std::to_string(h));
    }
  }
}

}  // namespace
}  // namespace rv
