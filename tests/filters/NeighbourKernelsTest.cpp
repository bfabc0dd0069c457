// The neighbourhood filters' results on small hand-made pictures: the matrix
// dialogs' matrices, the clipped windows and shifted matrices at the borders,
// the median's position, the noise thresholds and the feathering distances.
#include <gtest/gtest.h>

#include "filters/kernels/NeighbourKernels.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::RgbAt;
using test::RunFull;
using test::Uniform;

Rgb Grey(int v) { return {v, v, v}; }

// A picture whose pixel (x, y) has the grey value f(x, y).
template <class F>
Bitmap GreyPicture(int w, int h, F f) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, MakePixel(f(x, y), f(x, y), f(x, y)));
  return b;
}

// ---------------------------------------------------------------- matrices

struct MatrixCase {
  const char* stem;
  const char* button;
  FilterMatrix expected;
};

class DialogMatrices : public ::testing::TestWithParam<MatrixCase> {};

TEST_P(DialogMatrices, AButtonClickBuildsItsMatrix) {
  const MatrixCase& c = GetParam();
  FilterSettings v(*FindFilter(c.stem));
  ASSERT_EQ(v.Set(c.button, 1), "");
  if (v.Has("Power")) v.Set("Power", 7);
  EXPECT_EQ(BuildMatrix(v), c.expected) << c.stem << " " << c.button;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DialogMatrices,
    ::testing::Values(
        MatrixCase{"Edges", "N", {{{0, -7, 0}, {0, 7, 0}, {0, 0, 0}}}},
        MatrixCase{"Edges", "NW", {{{-7, 0, 0}, {0, 7, 0}, {0, 0, 0}}}},
        MatrixCase{"Edges", "NE", {{{0, 0, -7}, {0, 7, 0}, {0, 0, 0}}}},
        MatrixCase{"Edges", "W", {{{0, 0, 0}, {-7, 7, 0}, {0, 0, 0}}}},
        MatrixCase{"Edges", "E", {{{0, 0, 0}, {0, 7, -7}, {0, 0, 0}}}},
        MatrixCase{"Edges", "SW", {{{0, 0, 0}, {0, 7, 0}, {-7, 0, 0}}}},
        MatrixCase{"Edges", "S", {{{0, 0, 0}, {0, 7, 0}, {0, -7, 0}}}},
        MatrixCase{"Edges", "SE", {{{0, 0, 0}, {0, 7, 0}, {0, 0, -7}}}},
        MatrixCase{"HP", "N", {{{0, -1, 0}, {-1, 5, -1}, {0, -1, 0}}}},
        MatrixCase{"HP", "E", {{{-1, -1, -1}, {-1, 9, -1}, {-1, -1, -1}}}},
        MatrixCase{"EdgesGradient", "N", {{{-1, -1, -1}, {1, -2, 1}, {1, 1, 1}}}},
        MatrixCase{"EdgesGradient", "NW", {{{-1, -1, 1}, {-1, -2, 1}, {1, 1, 1}}}},
        MatrixCase{"EdgesGradient", "NE", {{{1, -1, -1}, {1, -2, -1}, {1, 1, 1}}}},
        MatrixCase{"EdgesGradient", "W", {{{-1, 1, 1}, {-1, -2, 1}, {-1, 1, 1}}}},
        MatrixCase{"EdgesGradient", "E", {{{1, 1, -1}, {1, -2, -1}, {1, 1, -1}}}},
        MatrixCase{"EdgesGradient", "SW", {{{1, 1, 1}, {-1, -2, 1}, {-1, -1, 1}}}},
        MatrixCase{"EdgesGradient", "S", {{{1, 1, 1}, {1, -2, 1}, {-1, -1, -1}}}},
        MatrixCase{"EdgesGradient", "SE", {{{1, 1, 1}, {1, -2, -1}, {1, -1, -1}}}},
        MatrixCase{"Domed", "N", {{{-1, -1, -1}, {0, 1, 0}, {1, 1, 1}}}},
        MatrixCase{"Domed", "NW", {{{-1, -1, 0}, {-1, 1, 1}, {0, 1, 1}}}},
        MatrixCase{"Domed", "NE", {{{0, -1, -1}, {1, 1, -1}, {1, 1, 0}}}},
        MatrixCase{"Domed", "W", {{{-1, 0, 1}, {-1, 1, 1}, {-1, 0, 1}}}},
        MatrixCase{"Domed", "E", {{{1, 0, -1}, {1, 1, -1}, {1, 0, -1}}}},
        MatrixCase{"Domed", "SW", {{{0, 1, 1}, {-1, 1, 1}, {-1, -1, 0}}}},
        MatrixCase{"Domed", "S", {{{1, 1, 1}, {0, 1, 0}, {-1, -1, -1}}}},
        MatrixCase{"Domed", "SE", {{{1, 1, 0}, {1, 1, -1}, {0, -1, -1}}}},
        MatrixCase{"Laplace", "NW", {{{0, -1, 0}, {-1, 4, -1}, {0, -1, 0}}}},
        MatrixCase{"Laplace", "N", {{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}}},
        MatrixCase{"Laplace", "NE", {{{1, -2, 1}, {-2, 4, -2}, {1, -2, 1}}}},
        MatrixCase{"Contours", "N", {{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}}},
        MatrixCase{"Contours", "NW", {{{1, 2, 1}, {0, 0, 0}, {-1, -2, -1}}}},
        MatrixCase{"Contours", "NE", {{{-1, -1, -1}, {0, 0, 0}, {1, 1, 1}}}},
        MatrixCase{"Contours", "NN", {{{1, 0, -1}, {1, 0, -1}, {1, 0, -1}}}}));

TEST(MatrixDialogs, OpeningLoadsTheDefaultButtonsMatrixWhateverIsSelected) {
  FilterSettings edges(*FindFilter("Edges"));
  edges.Set("SW", 1);
  edges.Set("Power", 9);
  EXPECT_EQ(OpeningMatrix(edges), BuildEdgesMatrix(MatrixButton::N, 9));
  EXPECT_EQ(BuildMatrix(edges), BuildEdgesMatrix(MatrixButton::SW, 9));
  FilterSettings hp(*FindFilter("HP"));
  hp.Set("N", 1);
  EXPECT_EQ(OpeningMatrix(hp), BuildHPMatrix(MatrixButton::E));
  for (const char* stem : {"EdgesGradient", "Domed"}) {
    FilterSettings v(*FindFilter(stem));
    v.Set("SE", 1);
    FilterSettings fresh(*FindFilter(stem));
    EXPECT_EQ(OpeningMatrix(v), BuildMatrix(fresh)) << stem;
  }
  // Laplace and the contour filters follow their buttons.
  FilterSettings laplace(*FindFilter("Laplace"));
  laplace.Set("NE", 1);
  EXPECT_EQ(OpeningMatrix(laplace), BuildLaplaceMatrix(MatrixButton::NE));
  FilterSettings contours(*FindFilter("Contours"));
  contours.Set("NN", 1);
  EXPECT_EQ(OpeningMatrix(contours), BuildContoursMatrix(MatrixButton::NN));
}

TEST(MatrixFilters, TheCommandRunsTheMatrixOfTheChosenButton) {
  const Bitmap src = test::Noise(9, 7, 5);
  const Bitmap out = RunFull({"Laplace", {{"NE", 1}}}, src);
  Bitmap expected = src;
  CPixelEngine e;
  KernelContext ctx;
  const SelectionMask mask(9, 7, 100);
  ApplyMatrix({e, expected, src, mask, 100, true, 9, 7, ctx}, BuildLaplaceMatrix(MatrixButton::NE), 1);
  EXPECT_TRUE(out == expected);
  EXPECT_FALSE(out == RunFull({"Laplace"}, src));
}

// A dialog reopened after another button was chosen runs the matrix it holds.
TEST(MatrixFilters, TheRunTakesTheMatrixTheDialogHolds) {
  const Bitmap src = test::Noise(8, 6, 9);
  const FilterMatrix held = EdgesOpeningMatrix(4);
  KernelContext ctx;
  ctx.Matrix = &held;
  const Bitmap out = RunFull({"Edges", {{"SW", 1}}, ctx}, src);
  EXPECT_TRUE(out == RunFull({"Edges"}, src));
  EXPECT_FALSE(out == RunFull({"Edges", {{"SW", 1}}}, src));
}

TEST(MatrixFilters, LaplaceOnAUniformPictureLeavesOnlyTheFrame) {
  const Rgb c{37, 120, 250};
  const Bitmap out = RunFull({"Laplace"}, Uniform(6, 5, c));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool frame = x == 0 || y == 0 || x == 5 || y == 4;
      EXPECT_EQ(RgbAt(out, x, y), frame ? c : (Rgb{0, 0, 0})) << x << "," << y;
    }
}

// Weights that keep a non-zero sum wherever the window is cut keep a flat colour.
TEST(MatrixFilters, NonZeroSumsKeepAUniformPicture) {
  const Rgb c{1, 128, 255};
  for (const test::Run& run : {test::Run{"HP"}, test::Run{"HP", {{"N", 1}}}, test::Run{"Domed"},
                               test::Run{"Domed", {{"NW", 1}}}, test::Run{"Domed", {{"SE", 1}}}}) {
    const Bitmap src = Uniform(5, 4, c);
    EXPECT_TRUE(SameColors(RunFull(run, src), src)) << run.stem;
  }
}

TEST(MatrixFilters, EdgesNorthAtStrength20MeasuresTheStepFromAbove) {
  // Rows of one grey each: steps of 13, 12, 0 and -5 from the row above.
  const int rows[] = {100, 113, 125, 125, 120};
  const Bitmap src = GreyPicture(4, 5, [&](int, int y) { return rows[y]; });
  const Bitmap out = RunFull({"Edges", {{"Power", 20}}}, src);
  const int expected[] = {255, 255, 240, 0, 0};  // the top row measures row 1 against row 0
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(RgbAt(out, x, y), Grey(expected[y])) << x << "," << y;
}

TEST(MatrixFilters, EdgesSouthEastShowsTheShiftedCentreAtTheBorders) {
  const int w = 6, h = 5;
  const Bitmap src = test::Noise(w, h, 21);
  const Bitmap out = RunFull({"Edges", {{"SE", 1}, {"Power", 3}}}, src);
  for (int y = 0; y < h; ++y) {
    EXPECT_EQ(RgbAt(out, w - 1, y), RgbAt(src, w - 1, y == 0 ? 1 : y)) << "right column " << y;
    if (y > 0) {
      EXPECT_EQ(RgbAt(out, 0, y), RgbAt(src, 1, y)) << "left column " << y;
    }
  }
  for (int x = 0; x < w; ++x) {
    EXPECT_EQ(RgbAt(out, x, 0), RgbAt(src, x == 0 ? 1 : x, 1)) << "top row " << x;
    if (x > 0) {
      EXPECT_EQ(RgbAt(out, x, h - 1), RgbAt(src, x, h - 1)) << "bottom row " << x;
    }
  }
  // Inside: 3 x (pixel - its lower right neighbour), clamped.
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      const Rgb p = RgbAt(src, x, y), q = RgbAt(src, x + 1, y + 1);
      auto f = [](int a, int b) { return std::clamp(3 * (a - b), 0, 255); };
      EXPECT_EQ(RgbAt(out, x, y), (Rgb{f(p.r, q.r), f(p.g, q.g), f(p.b, q.b)})) << x << "," << y;
    }
}

TEST(MatrixFilters, RemoveMeanInTheTopRowDividesByTheRemainingWeights) {
  const int top[] = {10, 20, 30}, below[] = {40, 50, 60};
  const Bitmap src = GreyPicture(3, 3, [&](int x, int y) { return y == 0 ? top[x] : below[x]; });
  const Bitmap out = RunFull({"HP"}, src);
  // (9 * 50 - 40 - 60 - 10 - 20 - 30) / 4 = 72.5
  EXPECT_EQ(RgbAt(out, 1, 0), Grey(72));
}

// ---------------------------------------------------------------- windows

TEST(RankFilters, BlurOfOneBrightPixelInsideAndInTheCorner) {
  Bitmap src = Uniform(7, 6, Grey(0));
  src.Set(3, 2, MakePixel(90, 90, 90));
  Bitmap out = RunFull({"BlurFilter", {{"Radius", 1}}}, src);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 7; ++x) {
      const bool near = std::abs(x - 3) <= 1 && std::abs(y - 2) <= 1;
      EXPECT_EQ(RgbAt(out, x, y), Grey(near ? 10 : 0)) << x << "," << y;
    }
  src = Uniform(7, 6, Grey(0));
  src.Set(0, 0, MakePixel(90, 90, 90));
  out = RunFull({"BlurFilter", {{"Radius", 1}}}, src);
  EXPECT_EQ(RgbAt(out, 0, 0), Grey(22));  // 90 / 4
  EXPECT_EQ(RgbAt(out, 1, 0), Grey(15));  // 90 / 6
  EXPECT_EQ(RgbAt(out, 0, 1), Grey(15));
  EXPECT_EQ(RgbAt(out, 1, 1), Grey(10));  // 90 / 9
  EXPECT_EQ(RgbAt(out, 2, 0), Grey(0));
}

TEST(RankFilters, MinimumAndMaximumSpreadASinglePixelOverTheWindow) {
  for (bool maximum : {false, true}) {
    Bitmap src = Uniform(9, 8, Grey(maximum ? 0 : 255));
    src.Set(6, 2, maximum ? MakePixel(255, 255, 255) : MakePixel(0, 0, 0));
    const Bitmap out = RunFull({maximum ? "Max" : "Min", {{"Radius", 2}}}, src);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 9; ++x) {
        const bool inside = std::abs(x - 6) <= 2 && std::abs(y - 2) <= 2;
        EXPECT_EQ(RgbAt(out, x, y), Grey(inside == maximum ? 255 : 0)) << maximum << " " << x << "," << y;
      }
  }
}

struct ColumnCase {
  const char* stem;
  int expected[5];
};

class OnePixelWide : public ::testing::TestWithParam<ColumnCase> {};

// The windows of a picture one pixel wide are columns of up to three pixels.
TEST_P(OnePixelWide, WindowsAreClippedColumns) {
  const int values[] = {10, 20, 30, 40, 200};
  const Bitmap src = GreyPicture(1, 5, [&](int, int y) { return values[y]; });
  const ColumnCase& c = GetParam();
  const char* control = std::string(c.stem) == "Median" ? "Power" : "Radius";
  const Bitmap out = RunFull({c.stem, {{control, 1}}}, src);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(RgbAt(out, 0, y), Grey(c.expected[y])) << c.stem << " " << y;
}

INSTANTIATE_TEST_SUITE_P(Tables, OnePixelWide,
                         ::testing::Values(ColumnCase{"BlurFilter", {15, 20, 30, 90, 120}},
                                           ColumnCase{"Min", {10, 10, 20, 30, 40}},
                                           ColumnCase{"Max", {20, 30, 40, 200, 200}},
                                           // Two or three values: the largest.
                                           ColumnCase{"Median", {20, 30, 40, 200, 200}}));

struct MedianCase {
  const char* what;
  int w, h;
  std::vector<int> values;  // row by row
  int x, y;
  int expected;
};

class MedianPositions : public ::testing::TestWithParam<MedianCase> {};

TEST_P(MedianPositions, TakesTheValueJustAboveTheMiddle) {
  const MedianCase& c = GetParam();
  const Bitmap src = GreyPicture(c.w, c.h, [&](int x, int y) { return c.values[static_cast<std::size_t>(y * c.w + x)]; });
  for (bool plain : {false, true}) {
    KernelContext ctx;
    ctx.PlainPath = plain;
    const Bitmap out = RunFull({"Median", {{"Power", 1}}, ctx}, src);
    EXPECT_EQ(RgbAt(out, c.x, c.y), Grey(c.expected)) << c.what << (plain ? " plain" : "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, MedianPositions,
    ::testing::Values(MedianCase{"full 3 x 3: the sixth of nine", 3, 3, {0, 10, 20, 30, 40, 50, 60, 70, 80}, 1, 1, 50},
                      MedianCase{"order does not matter", 3, 3, {80, 0, 70, 10, 60, 20, 50, 30, 40}, 1, 1, 50},
                      MedianCase{"2 x 2 corner: the largest", 2, 2, {5, 60, 7, 9}, 0, 0, 60},
                      MedianCase{"2 x 3 edge: the fifth of six", 2, 3, {1, 2, 3, 4, 5, 6}, 0, 1, 5},
                      MedianCase{"one pixel", 1, 1, {77}, 0, 0, 77},
                      MedianCase{"two pixels: the largest", 2, 1, {30, 200}, 0, 0, 200}));

TEST(RankFilters, MedianOfAFull5x5WindowIsTheFourteenthValue) {
  std::vector<int> v(25);
  for (int i = 0; i < 25; ++i) v[static_cast<std::size_t>(i)] = (i * 7) % 25 * 10;  // 0, 10, ..., 240 shuffled
  const Bitmap src = GreyPicture(5, 5, [&](int x, int y) { return v[static_cast<std::size_t>(y * 5 + x)]; });
  EXPECT_EQ(RgbAt(RunFull({"Median", {{"Power", 2}}}, src), 2, 2), Grey(130));
}

// 12 pixels of 90 and 12 of 103 around the centre: the rank value (position 13) is 103.
Bitmap NoiseWindow(int centre) {
  Bitmap b(5, 5);
  int n = 0;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      if (x == 2 && y == 2) {
        b.Set(x, y, MakePixel(centre, 50, 50));
        continue;
      }
      b.Set(x, y, MakePixel(n++ % 2 ? 90 : 103, 50, 50));
    }
  return b;
}

struct NoiseCase {
  int centre;
  int threshold;
  int expected;
};

class NoiseRemoval : public ::testing::TestWithParam<NoiseCase> {};

TEST_P(NoiseRemoval, KeepsValuesCloserThanTheThreshold) {
  const NoiseCase& c = GetParam();
  const Bitmap out = RunFull({"DeleteNoise", {{"Scal", 0}, {"CanalR", c.threshold}}}, NoiseWindow(c.centre));
  EXPECT_EQ(RgbAt(out, 2, 2).r, c.expected) << c.centre << " threshold " << c.threshold;
  EXPECT_EQ(RgbAt(out, 2, 2).g, 50);
}

INSTANTIATE_TEST_SUITE_P(Tables, NoiseRemoval,
                         ::testing::Values(NoiseCase{100, 5, 100},  // 3 away: kept
                                           NoiseCase{110, 5, 103},  // 7 away: the rank value
                                           NoiseCase{98, 5, 103},   // exactly 5 away: not strictly less
                                           NoiseCase{103, 0, 103},  // 0: always the rank value
                                           NoiseCase{100, 0, 103},
                                           NoiseCase{64, 40, 64},     // 39 away: kept
                                           NoiseCase{63, 40, 103}));  // 40 away: replaced

// ---------------------------------------------------------------- feathering

// Black everywhere but for the selected pixels, which are coloured.
struct FeatherScene {
  Bitmap picture;
  SelectionMask mask;
  FeatherScene(int w, int h) : picture(Uniform(w, h, Grey(0))), mask(w, h, 0) {}
  void Select(int x, int y, Rgb c, std::uint8_t m = 100) {
    picture.Set(x, y, MakePixel(c.r, c.g, c.b));
    mask.Set(x, y, m);
  }
  Bitmap Run(int d, int channel = kChannelAll) const {
    KernelContext ctx;
    ctx.ActiveChannel = channel;
    test::Run run{"Feather", {{"Power", d}}, ctx};
    run.mask = &mask;
    return RunFull(run, picture);
  }
};

struct FeatherCase {
  int dx, dy;  // from the one selected pixel
  int expected;
};

class FeatherDistances : public ::testing::TestWithParam<FeatherCase> {};

// d = 4 around one pixel of grey 200: 75 % at distance 1, 50 % at 2, 25 % at 3, nothing from 4.
TEST_P(FeatherDistances, WeightFallsByAQuarterPerPixel) {
  const FeatherCase& c = GetParam();
  FeatherScene s(15, 15);
  s.Select(7, 7, Grey(200));
  EXPECT_EQ(RgbAt(s.Run(4), 7 + c.dx, 7 + c.dy), Grey(c.expected)) << c.dx << "," << c.dy;
}

INSTANTIATE_TEST_SUITE_P(Tables, FeatherDistances,
                         ::testing::Values(FeatherCase{0, 0, 200}, FeatherCase{1, 0, 150}, FeatherCase{0, -1, 150},
                                           FeatherCase{1, 1, 150},    // trunc(sqrt 2) = 1
                                           FeatherCase{2, 1, 100},    // trunc(sqrt 5) = 2
                                           FeatherCase{2, 2, 100},    // trunc(sqrt 8) = 2
                                           FeatherCase{-3, 0, 50}, FeatherCase{3, 2, 50},  // trunc(sqrt 13) = 3
                                           FeatherCase{4, 0, 0}, FeatherCase{3, 3, 0},     // trunc(sqrt 18) = 4
                                           FeatherCase{7, 7, 0}));

TEST(Feathering, AtDistanceTwoOnlyTheNeighboursChangeByHalf) {
  FeatherScene s(9, 9);
  s.Select(4, 4, Grey(200));
  const Bitmap out = s.Run(2);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const int cheb = std::max(std::abs(x - 4), std::abs(y - 4));
      EXPECT_EQ(RgbAt(out, x, y), Grey(cheb == 0 ? 200 : cheb == 1 ? 100 : 0)) << x << "," << y;
    }
}

TEST(Feathering, TheColourIsThePlainAverageOfTheSelectedPixelsInTheWindow) {
  FeatherScene s(12, 5);
  s.Select(5, 2, {100, 0, 40});
  s.Select(6, 2, {200, 90, 41}, 1);  // partly selected: a source of colour, never changed
  const Bitmap out = s.Run(4);
  EXPECT_EQ(RgbAt(out, 6, 2), (Rgb{200, 90, 41}));
  // Both in the window, nearest at 1: 75 % of (150, 45, 40).
  EXPECT_EQ(RgbAt(out, 7, 2), (Rgb{112, 33, 30}));
  // Only (6, 2) lies within 4 columns of x = 10; it is 4 away: unchanged.
  EXPECT_EQ(RgbAt(out, 10, 2), Grey(0));
  // x = 9 sees both and is 3 from the nearest: 25 %.
  EXPECT_EQ(RgbAt(out, 9, 2), (Rgb{37, 11, 10}));
}

TEST(Feathering, NothingChangesWithoutAnUnselectedPixelNearASelectedOne) {
  const Bitmap src = test::Noise(10, 8, 3);
  for (std::uint8_t all : {std::uint8_t{100}, std::uint8_t{0}}) {
    const SelectionMask mask(10, 8, all);
    test::Run run{"Feather", {{"Power", 60}}};
    run.mask = &mask;
    EXPECT_TRUE(RunFull(run, src) == src) << int{all};
  }
}

TEST(Feathering, OneActiveChannelChangesOnlyThatChannel) {
  FeatherScene s(7, 3);
  s.Select(3, 1, Grey(200));
  s.picture.Set(4, 1, MakePixel(8, 8, 8));
  const Bitmap out = s.Run(4, kChannelGreen);
  EXPECT_EQ(RgbAt(out, 4, 1), (Rgb{8, 152, 8}));  // 200 * 0.75 + 8 * 0.25
}

}  // namespace
}  // namespace rv

namespace rv {
namespace {

// Cancels the run from the event processing of the given row.
class CancellingProgress : public CProgress {
 public:
  CancellingProgress(CPixelEngine& e, int row) : e_(e), row_(row) {}
  void SetMaximum(int m) override { maximum = m; }
  void SetPosition(int p) override { position = p; }
  int Position() const override { return position; }
  void ProcessEvents() override {
    if (position == row_) e_.Cancelled = true;
  }
  int maximum = 0, position = 0;

 private:
  CPixelEngine& e_;
  int row_;
};

TEST(NeighbourRuns, ACancelStopsBeforeTheNextRowInBothPaths) {
  const Bitmap src = test::Noise(30, 12, 4);
  SelectionMask mask(30, 12, 100);
  for (int x = 0; x < 30; ++x) mask.Set(x, 0, 0);  // something for feathering to do
  for (const char* stem : {"Edges", "BlurFilter", "Min", "Median", "DeleteNoise", "Feather"}) {
    for (bool plain : {false, true}) {
      const FilterDecl& d = *FindFilter(stem);
      FilterSettings v(d);
      CPixelEngine e;
      CancellingProgress progress(e, 3);
      KernelContext ctx;
      ctx.Progress = &progress;
      ctx.PlainPath = plain;
      const Bitmap before = test::Noise(30, 12, 5);
      Bitmap dst = before;
      d.Run({e, dst, src, mask, 100, true, 30, 12, ctx}, v);
      EXPECT_EQ(progress.maximum, 12) << stem;
      EXPECT_EQ(progress.position, 4) << stem << ": no reset after a cancel";
      for (int y = 3; y < 12; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(dst.At(x, y), before.At(x, y)) << stem << " " << x << "," << y;
      bool changed = false;
      for (int x = 0; x < 30; ++x) changed |= dst.At(x, 0) != before.At(x, 0);
      EXPECT_TRUE(changed) << stem << ": the rows before the cancel are written";
    }
  }
}

TEST(NeighbourRuns, ACompleteRunStepsOncePerRowAndResetsTheBar) {
  const Bitmap src = test::Noise(9, 7, 4);
  for (const char* stem : {"HP", "Max", "Median", "Feather"}) {
    const FilterDecl& d = *FindFilter(stem);
    FilterSettings v(d);
    CPixelEngine e;
    int steps = 0;
    struct Counting : CancellingProgress {
      using CancellingProgress::CancellingProgress;
      int* steps = nullptr;
      void ProcessEvents() override { ++*steps; }
    } counting(e, -1);
    counting.steps = &steps;
    KernelContext ctx;
    ctx.Progress = &counting;
    Bitmap dst = src;
    const SelectionMask mask(9, 7, 100);
    d.Run({e, dst, src, mask, 100, true, 9, 7, ctx}, v);
    EXPECT_EQ(steps, 7) << stem;
    EXPECT_EQ(counting.position, 0) << stem;
  }
}

}  // namespace
}  // namespace rv
