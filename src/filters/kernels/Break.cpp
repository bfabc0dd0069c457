// Shatter: every pixel becomes the mean of itself and the pixels at a
// horizontal distance on both sides.
#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& BreakFilter() {
  static const FilterDecl decl{
      .Stem = "Break",
      .DialogClass = "TFormBreak",
      .MenuCaption = "Rozbicie...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje rozbicia",
      .HistoryLabel = "Rozbicie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Szer", "Szerokość", 1, 150, 50)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyBreak(a, v.Get("Szer")); },
      .Summary = "Shatter: the mean of each pixel and the pixels at the given distance left and right.",
      .Description = "Rozbicie: średnia piksela i dwóch pikseli odległych o Szerokość w lewo i w prawo.",
      .Example = {"--set", "Szer=8"},
  };
  return decl;
}

void ApplyBreak(const KernelArgs& args, int bx) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const int w = a.Width;
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < w; ++x) {
      const Pixel l = srcRow[ClampTo(x - bx, 0, w - 1)], c = srcRow[x], r = srcRow[ClampTo(x + bx, 0, w - 1)];
      Rgb e = run.Effect({(PixelRed(l) + PixelRed(c) + PixelRed(r)) / 3,
                          (PixelGreen(l) + PixelGreen(c) + PixelGreen(r)) / 3,
                          (PixelBlue(l) + PixelBlue(c) + PixelBlue(r)) / 3},
                         dstRow, srcRow, x);
      Clamp255(e);
      run.Compose(e, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
