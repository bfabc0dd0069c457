#include "document/io/SelectionCopy.h"

#include <gtest/gtest.h>

#include "support/FilterTestSupport.h"

namespace rv {
namespace {

TEST(SelectionCopy, AnyPixelSelected) {
  SelectionMask m(5, 4, 0);
  EXPECT_FALSE(AnyPixelSelected(m));
  m.Set(4, 3, 1);
  EXPECT_TRUE(AnyPixelSelected(m));
  EXPECT_FALSE(AnyPixelSelected(SelectionMask()));
}

TEST(SelectionCopy, ShapeRectangleFromCornersInEitherOrder) {
  EXPECT_EQ(SelectionShapeRect(2, 3, 7, 9, 20, 20), (CopyRect{2, 7, 3, 9}));
  EXPECT_EQ(SelectionShapeRect(7, 9, 2, 3, 20, 20), (CopyRect{2, 7, 3, 9}));
  EXPECT_EQ(SelectionShapeRect(7, 3, 2, 9, 20, 20), (CopyRect{2, 7, 3, 9}));
  EXPECT_EQ(SelectionShapeRect(-5, 30, 4, 2, 10, 8), (CopyRect{0, 4, 2, 8}));
}

TEST(SelectionCopy, WhitenUnselectedMixesTowardsWhiteByTheMask) {
  // v * (m * 0.01) + (100 - m) * 0.01 * 255, truncated:
  struct Case {
    int m, v, expected;
  };
  const Case cases[] = {{100, 37, 37}, {0, 37, 255}, {50, 0, 127}, {50, 100, 177}, {1, 0, 252}, {99, 255, 255},
                        {25, 200, 241}};
  Bitmap b(static_cast<int>(std::size(cases)), 2, MakePixel(9, 9, 9));
  SelectionMask mask(b.Width(), 2, 0);
  for (int i = 0; i < b.Width(); ++i) {
    b.Set(i, 0, (cases[i].v << 16) | (cases[i].v << 8) | cases[i].v | 0x5A000000u);
    mask.Set(i, 0, static_cast<std::uint8_t>(cases[i].m));
  }
  WhitenUnselected(b, mask, {0, b.Width(), 0, 1});
  for (int i = 0; i < b.Width(); ++i) {
    EXPECT_EQ(test::RgbAt(b, i, 0), (Rgb{cases[i].expected, cases[i].expected, cases[i].expected})) << i;
    EXPECT_EQ(b.At(i, 0) >> 24, 0x5Au);  // the fourth byte is left alone
    EXPECT_EQ(test::RgbAt(b, i, 1), (Rgb{9, 9, 9}));  // outside the rectangle, mask 0 or not
  }
}

TEST(SelectionCopy, PictureToCopyBySelectionKind) {
  const Bitmap work = test::Noise(12, 10, 3);
  const Bitmap before = work;
  // An "ellipse": the mask selects the middle of the rectangle fully and one pixel half.
  SelectionMask mask(12, 10, 0);
  for (int y = 4; y < 6; ++y)
    for (int x = 4; x < 8; ++x) mask.Set(x, y, 100);
  mask.Set(3, 4, 50);
  const CopyRect shape{9, 2, 8, 3};  // corners in reverse order: the rectangle 2..9 x 3..8

  EXPECT_EQ(PictureToCopy(work, mask, 0, shape), work);
  EXPECT_TRUE(SameColors(PictureToCopy(work, mask, 1, shape), work.Copy(2, 3, 7, 5)));
  for (int kind : {2, 3}) {
    const Bitmap e = PictureToCopy(work, mask, kind, shape);
    ASSERT_EQ(e.Width(), 7);
    ASSERT_EQ(e.Height(), 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const int m = mask.At(x + 2, y + 3);
        const Pixel src = work.At(x + 2, y + 3);
        if (m == 100) {
          EXPECT_EQ(e.At(x, y), src);
        } else if (m == 0) {
          EXPECT_EQ(test::RgbAt(e, x, y), (Rgb{255, 255, 255}));
        }
      }
    const Rgb half = test::RgbAt(e, 1, 1);
    const Pixel s = work.At(3, 4);
    EXPECT_EQ(half.r, static_cast<int>(PixelRed(s) * 0.5 + 127.5));
  }
  const Bitmap all = PictureToCopy(work, mask, 5, shape);
  ASSERT_EQ(all.Width(), 12);
  EXPECT_EQ(all.At(5, 5), work.At(5, 5));
  EXPECT_EQ(test::RgbAt(all, 0, 0), (Rgb{255, 255, 255}));
  // An empty rectangle gives nothing to copy.
  EXPECT_TRUE(PictureToCopy(work, mask, 2, CopyRect{4, 4, 1, 6}).Empty());
  EXPECT_EQ(work, before);
}

}  // namespace
}  // namespace rv
