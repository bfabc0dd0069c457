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
// The fast path for "Zwykły" as effect mode. The darkening depends on the
// level q = t * 100 / Dg alone, and q >= k exactly when the squared distance
// reaches ceil(k * Dg / 100)^2; along a row the squared distance changes
// smoothly, so the level is followed by comparisons and the candidate of each
// level and channel value is read from a table. False when the levels would
// be too many to tabulate (a centre far outside the picture).
bool VignetteByLevels(const EffectRun& run, int sila, int centreX, int centreY, int dg, int left, int top) {
  const KernelArgs& a = run.a;
  auto farthest = [](long long c, long long lo, long long hi) { return std::max(std::llabs(c - lo), std::llabs(c - hi)); };
  const long long fx = farthest(centreX, left, left + a.Width - 1);
  const long long fy = farthest(centreY, top, top + a.Height - 1);
  if (fx > 1000000 || fy > 1000000) return false;
  const long long levels = static_cast<long long>(Distance(fx, fy)) * 100 / dg + 1;
  if (levels > 2000) return false;
  const int nq = static_cast<int>(levels);
  // thr[k]: the least squared distance of level k; thr[nq] is never reached.
  std::vector<long long> thr(static_cast<std::size_t>(nq) + 1);
  for (int k = 0; k < nq; ++k) {
    const long long tk = (static_cast<long long>(k) * dg + 99) / 100;
    thr[static_cast<std::size_t>(k)] = tk * tk;
  }
  thr[static_cast<std::size_t>(nq)] = std::numeric_limits<long long>::max();
  std::vector<std::uint8_t> cand(static_cast<std::size_t>(nq) * 256);
  for (int q = 0; q < nq; ++q) {
    const float f = static_cast<float>(q * 0.01);
    for (int s = 0; s < 256; ++s)
      cand[static_cast<std::size_t>(q) * 256 + static_cast<std::size_t>(s)] =
          static_cast<std::uint8_t>(Clamp255(static_cast<int>(s - sila * static_cast<double>(f))));
  }
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return true;
    const std::uint8_t* m = run.mask.Row(y);
    const long long dy = static_cast<long long>(centreY) - (top + y);
    const long long dy2 = dy * dy;
    int q = 0;
    for (int x = 0; x < a.Width; ++x) {
      const long long dx = static_cast<long long>(centreX) - (left + x);
      const long long d2 = dx * dx + dy2;
      while (d2 >= thr[static_cast<std::size_t>(q) + 1]) ++q;
      while (d2 < thr[static_cast<std::size_t>(q)]) --q;
      const std::uint8_t* t = cand.data() + static_cast<std::size_t>(q) * 256;
      const Pixel p = srcRow[x];
      run.Compose({t[PixelRed(p)], t[PixelGreen(p)], t[PixelBlue(p)]}, dstRow, srcRow, x, m[x]);
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
  if (!run.Plain() && run.EffectIsTop() && VignetteByLevels(run, sila, centreX, centreY, dg, left, top)) return;
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
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
