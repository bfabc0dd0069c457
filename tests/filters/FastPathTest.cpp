// The fast paths of the point kernels against the plain per-pixel definition,
// bit for bit, over random pictures, masks, transparencies, channels, values
// and every pair of modes, "Rozpuszczenie" with a fixed seed included.
#include <gtest/gtest.h>

#include "filters/kernels/ColourKernels.h"
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
  static const std::uint8_t values[] = {0, 100, 100, 37, 1, 99, 50};
  SelectionMask m(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.Set(x, y, values[g.Next(7)]);
  return m;
}

void RandomValues(FilterSettings& v, Lcg& g) {
  for (const ControlDecl& c : v.Decl().Controls)
    if (c.Kind == ControlKind::LinkBox) v.Set(c.Name, 0);
  for (const ControlDecl& c : v.Decl().Controls) {
    if (c.Kind == ControlKind::TrackBar) v.Set(c.Name, c.Min + g.Next(c.Max - c.Min + 1));
    if (c.Kind == ControlKind::CheckBox) v.Set(c.Name, g.Next(2));
  }
}

Bitmap RunOnce(const FilterDecl& d, const FilterSettings& v, const Bitmap& src, const SelectionMask& mask,
               int transparency, bool fullRun, KernelContext ctx, bool plain) {
  Bitmap dst = test::Noise(src.Width(), src.Height(), 99);  // the destination's own bytes must survive as defined
  CPixelEngine e;
  ctx.PlainPath = plain;
  SeedRandom(4242);
  d.Run({e, dst, src, mask, transparency, fullRun, src.Width(), src.Height(), ctx}, v);
  return dst;
}

class FastPath : public ::testing::TestWithParam<const FilterDecl*> {};

TEST_P(FastPath, EqualsThePlainPathForEveryModePair) {
  const FilterDecl& d = *GetParam();
  Lcg g{static_cast<std::uint32_t>(std::hash<std::string>{}(d.Stem))};
  const int modesT = d.HasTryb ? kBlendModeCount : 1;
  const int modesE = d.HasTypeBox ? kBlendModeCount : 1;
  for (int tryb = 0; tryb < modesT; ++tryb) {
    for (int typeBox = 0; typeBox < modesE; ++typeBox) {
      const int w = 5 + g.Next(20), h = 1 + g.Next(9);
      const Bitmap src = test::Noise(w, h, static_cast<std::uint32_t>(g.Next(1 << 30)));
      FilterSettings v(d);
      RandomValues(v, g);
      KernelContext ctx;
      ctx.Tryb = tryb;
      ctx.TypeBox = typeBox;
      ctx.ActiveChannel = g.Next(4);
      ctx.PrimaryColor = static_cast<PackedColor>(g.Next(1 << 24));
      ctx.SecondaryColor = static_cast<PackedColor>(g.Next(1 << 24));
      const bool fullRun = g.Next(3) != 0;
      // A preview reads the mask at its region's place in a larger picture.
      const int left = fullRun ? 0 : g.Next(5), top = fullRun ? 0 : g.Next(5);
      ctx.PreviewLeft = left;
      ctx.PreviewTop = top;
      const SelectionMask mask = RandomMask(w + left, h + top, g);
      // The document around a preview region, and an overlay a little larger.
      const Bitmap document = test::Noise(w + left, h + top, static_cast<std::uint32_t>(g.Next(1 << 30)));
      const Bitmap overlay = test::Noise(w + left + 2, h + top + 1, static_cast<std::uint32_t>(g.Next(1 << 30)));
      ctx.Picture = &document;
      ctx.Overlay = &overlay;
      ctx.OverlayMean = MeasureTextureMean(overlay);
      ctx.OverlayOffsetX = g.Next(4) - 2;
      ctx.OverlayOffsetY = g.Next(4) - 2;
      const int transparency = g.Next(4) == 0 ? 100 : g.Next(101);

      const Bitmap fast = RunOnce(d, v, src, mask, transparency, fullRun, ctx, false);
      const std::uint32_t fastState = RandomState();
      const Bitmap plain = RunOnce(d, v, src, mask, transparency, fullRun, ctx, true);
      ASSERT_EQ(RandomState(), fastState) << d.Stem << " tryb " << tryb << " typebox " << typeBox;
      ASSERT_TRUE(fast == plain) << d.Stem << " tryb " << tryb << " typebox " << typeBox << " channel "
                                 << ctx.ActiveChannel << " t " << transparency;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllFilters, FastPath, ::testing::ValuesIn(AllFilters()),
                         [](const auto& info) { return std::string(info.param->Stem); });

}  // namespace
}  // namespace rv
