// Vignette: darkening that grows with the distance from a centre point, as a
// fraction of the picture's diagonal.
#include <cmath>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& VignetteFilter() {
  static const FilterDecl decl{
      .Stem = "Vignette",
      .DialogClass = "TFormVignette",
      .MenuCaption = "Winieta...",
      .DialogCaption = "Opcje winiety",
      .HistoryLabel = "Winieta",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Sila", "Siła", 1, 1000, 127),
              // The command sets both ranges from the picture's size.
              Track("Wid", "Szerokość:", 1, 400, 200),
              Track("Hei", "Wysokość:", 1, 400, 200),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyVignette(a, v.Get("Sila"), v.Get("Wid"), v.Get("Hei"));
      },
      .Summary = "Vignette: darkens the picture more the farther a pixel lies from the chosen centre.",
      .Prepare = [](FilterSettings& v, int width, int height) {
        v.SetRange("Wid", 1, width);
        v.SetRange("Hei", 1, height);
        v.SetPosition("Wid", width / 2);
        v.SetPosition("Hei", height / 2);
      },
  };
  return decl;
}

namespace {
// Whole pixels between the centre and (x, y).
inline int Distance(long long dx, long long dy) {
  return static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}
}  // namespace

void ApplyVignette(const KernelArgs& args, int sila, int centreX, int centreY) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  // The diagonal of the whole picture, also in a preview.
  const long long pw = a.Ctx.Picture ? a.Ctx.Picture->Width() : a.Width;
  const long long ph = a.Ctx.Picture ? a.Ctx.Picture->Height() : a.Height;
  const int dg = Distance(pw, ph) > 0 ? Distance(pw, ph) : 1;
  const int left = a.FullRun ? 0 : a.Ctx.PreviewLeft;
  const int top = a.FullRun ? 0 : a.Ctx.PreviewTop;
  const Rgb strength{sila, sila, sila};
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    const long long dy = static_cast<long long>(centreY) - (top + y);
    for (int x = 0; x < a.Width; ++x) {
      const int t = Distance(static_cast<long long>(centreX) - (left + x), dy);
      // The integer percentage of the diagonal, as a fraction.
      const float f = static_cast<float>(t * 100 / dg * 0.01);
      const Rgb s = RgbOf(srcRow[x]);
      const Rgb e = run.Effect(strength, dstRow, srcRow, x);
      Rgb c{static_cast<int>(s.r - e.r * static_cast<double>(f)), static_cast<int>(s.g - e.g * static_cast<double>(f)),
            static_cast<int>(s.b - e.b * static_cast<double>(f))};
      ClampRgb(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
