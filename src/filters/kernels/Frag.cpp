// Fragmentation: every pixel becomes the mean of itself and four pixels at a
// horizontal and a vertical distance.
#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& FragFilter() {
  static const FilterDecl decl{
      .Stem = "Frag",
      .DialogClass = "TFormFrag",
      .MenuCaption = "Fragmentacja...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje fragmentacji",
      .HistoryLabel = "Fragmentacja",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Szer", "Szerokość", 1, 150, 50, "Scal"),
              Track("Wys", "Wysokość", 1, 150, 50, "Scal"),
              Link("Scal", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyFrag(a, v.Get("Szer"), v.Get("Wys")); },
      .Summary = "Fragmentation: the mean of each pixel and four pixels at the given distances.",
      .Description = "Fragmentacja: średnia piksela i czterech pikseli odległych o Szerokość w poziomie i o Wysokość "
                     "w pionie.",
      .Example = {"--set", "Szer=8"},
  };
  return decl;
}

void ApplyFrag(const KernelArgs& args, int fx, int fy) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const int w = a.Width, h = a.Height;
  for (int y = 0; y < h; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    const Pixel* up = a.Src.Row(ClampTo(y - fy, 0, h - 1));
    const Pixel* down = a.Src.Row(ClampTo(y + fy, 0, h - 1));
    for (int x = 0; x < w; ++x) {
      const Pixel p[5] = {srcRow[ClampTo(x - fx, 0, w - 1)], srcRow[x], srcRow[ClampTo(x + fx, 0, w - 1)], up[x],
                          down[x]};
      int r = 0, g = 0, b = 0;
      for (const Pixel q : p) {
        r += PixelRed(q);
        g += PixelGreen(q);
        b += PixelBlue(q);
      }
      Rgb e = run.Effect({r / 5, g / 5, b / 5}, dstRow, srcRow, x);
      Clamp255(e);
      run.Compose(e, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
