// Vignette: darkening that grows with the distance from a centre point, as a
// fraction of the picture's diagonal.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& VignetteFilter() {
  static const FilterDecl decl{
      .Stem = "Vignette",
      .DialogClass = "TFormVignette",
      .MenuCaption = "Winieta...",
      .Menu = "Efekty specjalne",
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
      .Description = "Winieta: przyciemnia obraz tym bardziej, im dalej piksel leży od wybranego środka (Szerokość, "
                     "Wysokość).",
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
// The distance t as a fraction of the diagonal dg (a float, like every weight).
inline float Fraction(int t, int dg) { return static_cast<float>(static_cast<double>(t) * 100 / dg * 0.01); }
// The fast path for "Zwykły" as effect mode. The darkening depends on the
// whole distance t alone, and t >= k exactly when the squared distance reaches
// k^2; along a row the squared distance changes smoothly, so t is followed by
// comparisons instead of a square root. For each t the candidate
// trunc(s - x), x = Sila * f, is s - ceil(x) for every channel value s >= x
// (and 0 below), unless x lies a rounding error above an integer, where the
// subtraction may round up: those few distances keep the plain formula.
// False when the distances would be too many to tabulate (a centre far
// outside the picture).
bool VignetteByDistances(const EffectRun& run, int sila, int centreX, int centreY, int dg, int left, int top) {
  const KernelArgs& a = run.a;
  auto farthest = [](long long c, long long lo, long long hi) { return std::max(std::llabs(c - lo), std::llabs(c - hi)); };
  const long long fx = farthest(centreX, left, left + a.Width - 1);
  const long long fy = farthest(centreY, top, top + a.Height - 1);
  if (fx > 1000000 || fy > 1000000) return false;
  const long long distances = static_cast<long long>(Distance(fx, fy)) + 1;
  if (distances > 4'000'000) return false;
  const double e = sila;
  // drop[t]: what distance t takes off every channel, or -1 for the plain formula.
  std::vector<int> drop(static_cast<std::size_t>(distances));
  for (int t = 0; t < distances; ++t) {
    const double x = e * static_cast<double>(Fraction(t, dg));
    const double whole = std::floor(x);
    int& d = drop[static_cast<std::size_t>(t)];
    if (x >= 256)
      d = 256;
    else if (x == whole)
      d = static_cast<int>(x);
    else
      d = x - whole > 1e-9 ? static_cast<int>(whole) + 1 : -1;
  }
  auto plain = [e](int s, float f) { return Clamp255(static_cast<int>(s - e * static_cast<double>(f))); };
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return true;
    const std::uint8_t* m = run.mask.Row(y);
    const long long dy = static_cast<long long>(centreY) - (top + y);
    const long long dy2 = dy * dy;
    long long t = Distance(static_cast<long long>(centreX) - left, dy);
    for (int x = 0; x < a.Width; ++x) {
      const long long dx = static_cast<long long>(centreX) - (left + x);
      const long long d2 = dx * dx + dy2;
      while ((t + 1) * (t + 1) <= d2) ++t;
      while (t * t > d2) --t;
      const int d = drop[static_cast<std::size_t>(t)];
      const Pixel p = srcRow[x];
      if (d >= 0) {
        run.Compose({std::max(0, PixelRed(p) - d), std::max(0, PixelGreen(p) - d), std::max(0, PixelBlue(p) - d)}, dstRow,
                    srcRow, x, m[x]);
      } else {
        const float f = Fraction(static_cast<int>(t), dg);
        run.Compose({plain(PixelRed(p), f), plain(PixelGreen(p), f), plain(PixelBlue(p), f)}, dstRow, srcRow, x, m[x]);
      }
    }
  }
  run.Finish();
  return true;
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
  if (!run.Plain() && run.EffectIsTop() && VignetteByDistances(run, sila, centreX, centreY, dg, left, top)) return;
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    const long long dy = static_cast<long long>(centreY) - (top + y);
    for (int x = 0; x < a.Width; ++x) {
      const int t = Distance(static_cast<long long>(centreX) - (left + x), dy);
      const float f = Fraction(t, dg);
      const Rgb s = RgbOf(srcRow[x]);
      const Rgb e = run.Effect(strength, dstRow, srcRow, x);
      Rgb c{static_cast<int>(s.r - e.r * static_cast<double>(f)), static_cast<int>(s.g - e.g * static_cast<double>(f)),
            static_cast<int>(s.b - e.b * static_cast<double>(f))};
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
