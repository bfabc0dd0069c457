// Mirrors, turns, resampling and the alignment crop; the mirrors and turns
// are checked pixel for pixel against ImageMagick.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "filters/kernels/Geometry.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::RgbAt;

// Binary PPM, the simplest format both sides read and write exactly.
void WritePpm(const Bitmap& b, const std::string& path) {
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << b.Width() << " " << b.Height() << "\n255\n";
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.At(x, y);
      const char c[3] = {static_cast<char>(PixelRed(p)), static_cast<char>(PixelGreen(p)),
                         static_cast<char>(PixelBlue(p))};
      f.write(c, 3);
    }
}

Bitmap ReadPpm(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  f >> magic >> w >> h >> max;
  f.get();
  if (magic != "P6" || max != 255 || w <= 0 || h <= 0) throw std::runtime_error("not a P6 picture: " + path);
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char c[3];
      f.read(reinterpret_cast<char*>(c), 3);
      b.Set(x, y, MakePixel(c[0], c[1], c[2]));
    }
  if (!f) throw std::runtime_error("short picture: " + path);
  return b;
}

struct PeerCase {
  const char* stem;
  const char* imageMagick;
};

TEST(Geometry, MirrorsAndTurnsMatchImageMagick) {
  const std::string convert = RV_IMAGEMAGICK_CONVERT;
  ASSERT_FALSE(convert.empty()) << "ImageMagick's convert is needed (scripts/install-deps.sh --test)";
  const auto dir = std::filesystem::temp_directory_path() / ("rv-geometry-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const Bitmap src = test::Noise(7, 4, 21);  // not square, so a wrong turn cannot pass
  const std::string in = (dir / "in.ppm").string();
  WritePpm(src, in);
  const PeerCase cases[] = {{"FlipHorizontal", "-flip"},
                            {"FlipVertical", "-flop"},
                            {"RotateRight", "-rotate 90"},
                            {"RotateLeft", "-rotate -90"},
                            {"RotateFull", "-rotate 180"}};
  for (const PeerCase& c : cases) {
    SCOPED_TRACE(c.stem);
    const std::string out = (dir / (std::string(c.stem) + ".ppm")).string();
    const std::string cmd = "'" + convert + "' '" + in + "' " + c.imageMagick + " '" + out + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const Bitmap mine = FindGeometryCommand(c.stem)->Apply(src);
    EXPECT_TRUE(SameColors(mine, ReadPpm(out)));
  }
  std::filesystem::remove_all(dir);
}

TEST(Geometry, MirrorsAndTurnsByHand) {
  // Left column red, the rest white: the left-right mirror puts red on the right.
  Bitmap p(4, 3, MakePixel(255, 255, 255));
  for (int y = 0; y < 3; ++y) p.Set(0, y, MakePixel(255, 0, 0));
  const Bitmap m = FlipVertical(p);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(RgbAt(m, 3, y), (Rgb{255, 0, 0}));
    EXPECT_EQ(RgbAt(m, 0, y), (Rgb{255, 255, 255}));
  }
  const Bitmap src = test::Noise(3, 2, 5);
  EXPECT_TRUE(FlipVertical(FlipVertical(src)) == src);
  EXPECT_TRUE(FlipHorizontal(FlipHorizontal(src)) == src);
  // RotateRight of 3 x 2: 2 x 3, the top row is the left column read bottom to top.
  const Bitmap r = RotateRight(src);
  ASSERT_EQ(r.Width(), 2);
  ASSERT_EQ(r.Height(), 3);
  EXPECT_EQ(r.At(0, 0), src.At(0, 1));
  EXPECT_EQ(r.At(1, 0), src.At(0, 0));
  EXPECT_TRUE(RotateLeft(RotateRight(src)) == src);
  EXPECT_TRUE(RotateRight(RotateLeft(src)) == src);
  EXPECT_TRUE(RotateFull(src) == FlipHorizontal(FlipVertical(src)));
  // Turns larger than a tile.
  const Bitmap big = test::Noise(70, 45, 6);
  EXPECT_TRUE(RotateLeft(RotateRight(big)) == big);
  EXPECT_TRUE(RotateRight(RotateRight(big)) == RotateFull(big));
}

// The tiled turns against the definition pixel by pixel, on sizes that leave
// partial tiles and partial 4 x 4 blocks at both edges.
TEST(Geometry, TurnsEqualTheDefinitionAcrossTiles) {
  for (const auto& [w, h] : {std::pair{70, 45}, std::pair{133, 67}, std::pair{16, 17}, std::pair{3, 129}}) {
    const Bitmap src = test::Noise(w, h, static_cast<std::uint32_t>(w * h));
    Bitmap right(h, w), left(h, w);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        right.Set(h - 1 - y, x, src.At(x, y));
        left.Set(y, w - 1 - x, src.At(x, y));
      }
    EXPECT_TRUE(RotateRight(src) == right) << w << "x" << h;
    EXPECT_TRUE(RotateLeft(src) == left) << w << "x" << h;
  }
}

TEST(Resample, SameSizeIsExactAndHalvingPicksEveryOtherPixel) {
  const Bitmap src = test::Noise(12, 8, 1);
  EXPECT_TRUE(SameColors(ResampleBilinear(src, 12, 8), src));
  // Ratio 2: every sample falls on source pixel (2 col, 2 row).
  const Bitmap half = ResampleBilinear(src, 6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(RgbAt(half, x, y), RgbAt(src, 2 * x, 2 * y));
}

TEST(Resample, InterpolatesFromTheTopLeftCorner) {
  Bitmap src(2, 1);
  src.Set(0, 0, MakePixel(0, 0, 0));
  src.Set(1, 0, MakePixel(255, 255, 255));
  const Bitmap out = ResampleBilinear(src, 4, 1);
  const int expected[] = {0, 127, 255, 255};  // samples 0, 0.5, 1, 1.5 (the last edge repeats)
  for (int x = 0; x < 4; ++x) EXPECT_EQ(RgbAt(out, x, 0), (Rgb{expected[x], expected[x], expected[x]})) << x;
  // Vertically the same.
  Bitmap col(1, 2);
  col.Set(0, 0, MakePixel(0, 100, 200));
  col.Set(0, 1, MakePixel(200, 100, 0));
  EXPECT_EQ(RgbAt(ResampleBilinear(col, 1, 4), 0, 1), (Rgb{100, 100, 100}));
  // Both weights at work: 2 x 2 greys (0, 100 / 200, 50) to 3 x 3, the middle
  // sample at (2/3, 2/3): top 66.67, bottom 100, value 88.9.
  Bitmap square(2, 2);
  square.Set(0, 0, MakePixel(0, 0, 0));
  square.Set(1, 0, MakePixel(100, 100, 100));
  square.Set(0, 1, MakePixel(200, 200, 200));
  square.Set(1, 1, MakePixel(50, 50, 50));
  EXPECT_EQ(RgbAt(ResampleBilinear(square, 3, 3), 1, 1), (Rgb{88, 88, 88}));
  // Any size, however far from the source's, stays inside it.
  EXPECT_EQ(ResampleBilinear(test::Noise(3, 3, 1), 1000, 7).Width(), 1000);
  EXPECT_EQ(ResampleBilinear(test::Noise(999, 3, 1), 7, 1).Height(), 1);
  EXPECT_THROW(ResampleBilinear(src, 0, 5), std::invalid_argument);
}

TEST(Resample, ProportionalFieldsFollowThePicturesOwnRatio) {
  EXPECT_EQ(ProportionalHeight(50, 200, 100), 25);
  // A ratio cut to whole percent (66) would give 1980.
  EXPECT_EQ(ProportionalHeight(3000, 6000, 4000), 2000);
  EXPECT_EQ(ProportionalWidth(2000, 6000, 4000), 3000);
  EXPECT_EQ(ProportionalHeight(500, 1000, 333), 166);  // 166.5, truncated
  EXPECT_EQ(ProportionalWidth(25, 200, 100), 50);
  // Sizes whose product passes 32 bits.
  EXPECT_EQ(ProportionalHeight(100000, 100000, 60000), 60000);
}

struct BandCase {
  CropAxis axis;
  int power, w, h;
  std::optional<CropBand> band;
};

TEST(AutoCrop, KeepsTheBandTheShearLeftWhole) {
  const BandCase cases[] = {
      {CropAxis::Rows, 100, 200, 300, CropBand{0, 100, 200, 200}},
      {CropAxis::Rows, -30, 200, 300, CropBand{0, 0, 200, 270}},
      {CropAxis::Rows, 0, 200, 300, CropBand{0, 0, 200, 300}},
      {CropAxis::Columns, 40, 200, 300, CropBand{40, 0, 160, 300}},
      {CropAxis::Columns, -199, 200, 300, CropBand{0, 0, 1, 300}},
      // |Power| not below the dimension: refused instead of reading outside the picture.
      {CropAxis::Rows, 300, 200, 300, std::nullopt},
      {CropAxis::Rows, -400, 200, 300, std::nullopt},
      {CropAxis::Columns, 200, 200, 300, std::nullopt},
  };
  for (const BandCase& c : cases) {
    const auto got = AutoCropBand(c.axis, c.power, c.w, c.h);
    ASSERT_EQ(got.has_value(), c.band.has_value()) << c.power;
    if (!got) continue;
    EXPECT_EQ(got->left, c.band->left);
    EXPECT_EQ(got->top, c.band->top);
    EXPECT_EQ(got->width, c.band->width);
    EXPECT_EQ(got->height, c.band->height);
  }
  const Bitmap pic = test::Noise(5, 4, 2);
  EXPECT_TRUE(AutoCropAlignment(pic, CropAxis::Rows, 4) == pic);
  EXPECT_TRUE(AutoCropAlignment(pic, CropAxis::Rows, 1) == pic.Copy(0, 1, 5, 3));
}

TEST(Alignment, VerticalShearMovesColumnsDown) {
  // 200 wide, Power 100: column 100 moves 100 * 50 * 0.01 = 50 rows down.
  Bitmap src(200, 120);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) src.Set(x, y, MakePixel(x, y, (x * y) & 0xFF));
  const Bitmap out = test::RunFull({"Width", {{"Power", 100}}}, src);
  EXPECT_EQ(RgbAt(out, 100, 60), RgbAt(src, 100, 10));
  EXPECT_EQ(RgbAt(out, 0, 7), RgbAt(src, 0, 7));      // the left column stays
  // Column 199 moves 99 rows: rows 20..119 all land on the last row, and the last to arrive stays.
  EXPECT_EQ(RgbAt(out, 199, 119), RgbAt(src, 199, 119));
  EXPECT_EQ(RgbAt(out, 199, 118), RgbAt(src, 199, 19));
  // Rows no source pixel reaches keep the picture's old pixels.
  EXPECT_EQ(RgbAt(out, 100, 10), RgbAt(src, 100, 10));
  // Negative Power lifts the right side.
  const Bitmap up = test::RunFull({"Width", {{"Power", -100}}}, src);
  EXPECT_EQ(RgbAt(up, 100, 10), RgbAt(src, 100, 60));
}

TEST(Alignment, HorizontalShearMovesRowsAside) {
  Bitmap src(150, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 150; ++x) src.Set(x, y, MakePixel(x, y, 7));
  // Row 100 of 200: l = 50, m = 40 * 50 * 0.01 = 20.
  const Bitmap out = test::RunFull({"Height", {{"Power", 40}}}, src);
  EXPECT_EQ(RgbAt(out, 30, 100), RgbAt(src, 10, 100));
  EXPECT_EQ(RgbAt(out, 10, 0), RgbAt(src, 10, 0));
}

TEST(Alignment, UnselectedPixelsStayAtAnyTransparency) {
  const Bitmap src = test::Noise(40, 30, 3);
  SelectionMask none(40, 30, 0);
  for (const char* stem : {"Width", "Height"}) {
    test::Run r{stem, {{"Power", -37}}};
    r.mask = &none;
    r.transparency = 37;  // A + B < 1 in single precision
    EXPECT_TRUE(SameColors(test::RunFull(r, src), src)) << stem;
  }
}

}  // namespace
}  // namespace rv
