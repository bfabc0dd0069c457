// Mosaic: square tiles, each filled with the colour of its top-left pixel.
#include <algorithm>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& MozaicFilter() {
  static const FilterDecl decl{
      .Stem = "Mozaic",
      .DialogClass = "TFormMozaic",
      .MenuCaption = "Mozaika...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje mozaiki",
      .HistoryLabel = "Mozaika",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Promień:", 1, 200, 50)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyMozaic(a, v.Get("Radius")); },
      .Summary = "Mosaic: square tiles that take the colour of their top-left pixel.",
      .Description = "Mozaika: kwadratowe płytki o boku Promień w kolorze ich lewego górnego piksela.",
      .Example = {"--set", "Radius=8"},
  };
  return decl;
}

bool FillTiles(EffectRun& run, int tile) {
  const KernelArgs& a = run.a;
  const int t = std::max(tile, 1);
  // Tile by tile, as the modes that draw at random see them; the order makes
  // no difference to the others.
  for (int y0 = 0; y0 < a.Height; y0 += t) {
    if (!run.EnterRow()) return false;
    const int y1 = std::min(y0 + t, a.Height);
    const Pixel* cornerRow = a.Src.Row(y0);
    if (run.LocalDrawsAllowed()) {
      // Nothing draws: the effect of a tile is one colour, and rows can be
      // walked whole.
      for (int y = y0; y < y1; ++y) {
        Pixel* dstRow = a.Dst.Row(y);
        const Pixel* srcRow = a.Src.Row(y);
        const std::uint8_t* m = run.mask.Row(y);
        for (int x0 = 0; x0 < a.Width; x0 += t) {
          const Rgb e = run.Effect(RgbOf(cornerRow[x0]), dstRow, cornerRow, x0);
          const int x1 = std::min(x0 + t, a.Width);
          for (int x = x0; x < x1; ++x) run.Compose(e, dstRow, srcRow, x, m[x]);
        }
      }
      continue;
    }
    for (int x0 = 0; x0 < a.Width; x0 += t) {
      const Rgb k = RgbOf(cornerRow[x0]);
      const int x1 = std::min(x0 + t, a.Width);
      for (int y = y0; y < y1; ++y) {
        Pixel* dstRow = a.Dst.Row(y);
        const Pixel* srcRow = a.Src.Row(y);
        const std::uint8_t* m = run.mask.Row(y);
        for (int x = x0; x < x1; ++x) {
          const Rgb e = run.Effect(k, dstRow, cornerRow, x0);
          run.Compose(e, dstRow, srcRow, x, m[x]);
        }
      }
    }
  }
  return true;
}

void ApplyMozaic(const KernelArgs& args, int tile) {
  const int t = std::max(tile, 1);
  EffectRun run(args, true, ClampedArgs(args).Height / t);
  if (FillTiles(run, t)) run.Finish();
}

}  // namespace rv
