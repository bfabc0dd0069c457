#include "document/io/ColorReduce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "document/SaveTestSupport.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

std::set<Pixel> Colors(const Bitmap& b) {
  std::set<Pixel> s;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) s.insert(b.At(x, y) | 0xFF000000u);
  return s;
}

TEST(ColorReduce, KeepsAFewColoursExactly) {
  // 200 colours, one per column, over 3 rows; one stray fourth byte too.
  Bitmap b(200, 3);
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 3; ++y) b.Set(x, y, MakePixel(x, 255 - x, (x * 7) & 0xFF));
  b.Set(5, 1, b.At(5, 1) & 0x00FFFFFFu);
  const IndexedPicture r = ReduceColors(b);
  EXPECT_EQ(r.Palette.size(), 200u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(r.Palette[r.At(x, y)], b.At(x, y) | 0xFF000000u) << x << "," << y;
  // One colour.
  const IndexedPicture one = ReduceColors(test::Uniform(4, 4, {9, 8, 7}));
  ASSERT_EQ(one.Palette.size(), 1u);
  EXPECT_EQ(one.Palette[0], MakePixel(9, 8, 7));
}

TEST(ColorReduce, ManyColoursGiveAFullPaletteAndTheNearestEntry) {
  for (const Bitmap& b : {test::Noise(64, 64, 5), test::Smooth(120, 90)}) {
    ASSERT_GT(Colors(b).size(), 256u);
    const IndexedPicture r = ReduceColors(b);
    ASSERT_EQ(r.Palette.size(), 256u);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        ASSERT_EQ(test::SquaredDistance(b.At(x, y), r.Palette[r.At(x, y)]),
                  test::NearestSquaredDistance(r.Palette, b.At(x, y)))
            << x << "," << y;
  }
}

TEST(ColorReduce, MedianCutSpendsThePaletteWhereThePixelsAre) {
  // 256 greys and 256 reds, equally many pixels each: two lines of colours
  // cut into 256 boxes leave about two neighbouring levels per box, so no
  // pixel moves by more than a level or two. Binning the colour cube coarsely
  // would posterise the greys instead.
  Bitmap b(256, 2);
  for (int x = 0; x < 256; ++x) {
    b.Set(x, 0, MakePixel(x, x, x));
    b.Set(x, 1, MakePixel(x, 0, 0));
  }
  const IndexedPicture r = ReduceColors(b);
  ASSERT_EQ(r.Palette.size(), 256u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 256; ++x) {
      const Pixel q = r.Palette[r.At(x, y)];
      const Pixel p = b.At(x, y);
      EXPECT_LE(std::abs(PixelRed(q) - PixelRed(p)), 2) << x << "," << y;
      EXPECT_LE(std::abs(PixelGreen(q) - PixelGreen(p)), 2) << x << "," << y;
      EXPECT_LE(std::abs(PixelBlue(q) - PixelBlue(p)), 2) << x << "," << y;
    }
  // A smaller limit is honoured.
  EXPECT_EQ(MedianCutPalette(test::Noise(30, 30, 2), 16).size(), 16u);
}

TEST(ColorReduce, NearestColorAgreesWithAFullSearch) {
  // Random palette with duplicates (ties go to the lowest index).
  std::vector<Pixel> palette;
  std::uint32_t s = 12345;
  auto next = [&] {
    s = s * 1103515245u + 12345u;
    return s >> 8;
  };
  for (int i = 0; i < 37; ++i) palette.push_back(0xFF000000u | (next() & 0xFFFFFF));
  palette.push_back(palette[3]);
  palette.push_back(palette[20]);
  NearestColor nc(palette);
  for (int i = 0; i < 20000; ++i) {
    const Pixel p = 0xFF000000u | (next() & 0xFFFFFF);
    std::size_t best = 0;
    for (std::size_t k = 1; k < palette.size(); ++k)
      if (test::SquaredDistance(p, palette[k]) < test::SquaredDistance(p, palette[best])) best = k;
    ASSERT_EQ(nc.Find(p), best) << std::hex << p;
  }
  for (Pixel q : palette) EXPECT_EQ(palette[nc.Find(q)], q);
}

}  // namespace
}  // namespace rv
