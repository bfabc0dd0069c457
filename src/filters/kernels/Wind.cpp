// Wind: fading horizontal streaks of random length, each starting at an
// unchanged pixel whose colour it carries to the right.
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& WindFilter() {
  static const FilterDecl decl{
      .Stem = "Wind",
      .DialogClass = "TFormWind",
      .MenuCaption = "Wiatr...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje wiatru",
      .HistoryLabel = "Wiatr",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc", 1, 300, 50)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyWind(a, v.Get("Radius")); },
      .Summary = "Wind: fading horizontal streaks of random length drawn to the right of random pixels.",
      .Description = "Wiatr: gasnące poziome smugi losowej długości (do Moc pikseli) na prawo od losowych pikseli.",
      .Example = {"--set", "Radius=20"},
  };
  return decl;
}

namespace {

inline int Fade(int c, int s, float hw, float sw) {
  return static_cast<int>(static_cast<double>(c) * hw + static_cast<double>(s) * sw);
}

template <class Draws>
void WindRows(const EffectRun& run, int maxLength, Draws& d) {
  const KernelArgs& a = run.a;
  const CPixelEngine& e = run.e;
  const SmallDivisor bound(static_cast<std::uint32_t>(maxLength));
  // k * 100 / L in floating point truncates to the integer quotient (the
  // quotient is never within rounding of the next integer), so the fast path
  // divides by multiplication.
  const bool plain = run.Plain();
  std::vector<SmallDivisor> byLength;
  if (!plain)
    for (int l = 0; l < maxLength; ++l) byLength.emplace_back(static_cast<std::uint32_t>(l < 1 ? 1 : l));
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    Rgb c;
    int length = 0, k = 0;
    for (int x = 0; x < a.Width; ++x) {
      if (k == 0) {
        // A streak starts here; this pixel itself is not written.
        c = run.Effect(RgbOf(srcRow[x]), dstRow, srcRow, x);
        Clamp255(c);
        length = k = static_cast<int>(bound.Mod(static_cast<std::uint32_t>(d.Next())));
        continue;
      }
      const int h = plain ? static_cast<int>(static_cast<double>(k) * 100.0 / static_cast<double>(length))
                          : static_cast<int>(byLength[static_cast<std::size_t>(length)].Div(static_cast<std::uint32_t>(k * 100)));
      const float hw = Percent(h), sw = Percent(100 - h);
      const Rgb s = RgbOf(srcRow[x]);
      Rgb v{Fade(c.r, s.r, hw, sw), Fade(c.g, s.g, hw, sw), Fade(c.b, s.b, hw, sw)};
      Clamp255(v);
      const Rgb col = run.Blend(v, dstRow, srcRow, x);
      const int mv = m[x];
      int r, g, b;
      if (mv == 0) {
        // Unselected: the pixel keeps its value (the fades alone could take a level off).
        r = s.r;
        g = s.g;
        b = s.b;
      } else if (!plain && mv == 100 && run.Opaque()) {
        // The mix gives the blend result itself.
        r = Fade(col.r, s.r, hw, sw);
        g = Fade(col.g, s.g, hw, sw);
        b = Fade(col.b, s.b, hw, sw);
      } else {
        const float w = Percent(mv), u = Percent(100 - mv);
        r = Fade(MixSelectTransparency(col.r, s.r, w, u, run.A, run.B), s.r, hw, sw);
        g = Fade(MixSelectTransparency(col.g, s.g, w, u, run.A, run.B), s.g, hw, sw);
        b = Fade(MixSelectTransparency(col.b, s.b, w, u, run.A, run.B), s.b, hw, sw);
      }
      StoreChannels(e.StoreProc, dstRow, x, r, g, b);
      --k;
    }
  }
  run.Finish();
}

}  // namespace

void ApplyWind(const KernelArgs& args, int maxLength) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const int bound = maxLength < 1 ? 1 : maxLength;
  WithDraws(run, [&](auto& d) { WindRows(run, bound, d); });
}

}  // namespace rv
