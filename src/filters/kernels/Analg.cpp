// Anaglyph: a red-cyan stereo mix of the picture shifted left and right, by
// the least-squares (Dubois) projection.
#include <algorithm>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& AnalgFilter() {
  static const FilterDecl decl{
      .Stem = "Analg",
      .DialogClass = "TFormAnalg",
      .MenuCaption = "Anaglif...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje anaglifu",
      .HistoryLabel = "Anaglif",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc:", 1, 30, 5)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyAnalg(a, v.Get("Radius")); },
      .Summary = "Anaglyph: a red-cyan stereo picture made of the picture shifted left and right.",
      .Description = "Anaglif: czerwono-turkusowy obraz stereo z obrazu przesuniętego w lewo i w prawo o Moc "
                     "pikseli.",
  };
  return decl;
}

namespace {
// Rows: output red, green, blue; columns: left red, green, blue, right red, green, blue.
constexpr double kDubois[3][6] = {
    {0.4561, 0.500484, 0.176381, -0.0434706, -0.0879388, -0.00155529},
    {-0.0400822, -0.0378246, -0.0157589, 0.378476, 0.73364, -0.0184503},
    {-0.0152161, -0.0205971, -0.00546856, -0.0721527, -0.112961, 1.2264},
};

inline int Project(const double* k, Rgb l, Rgb r) {
  return static_cast<int>(k[0] * l.r + k[1] * l.g + k[2] * l.b + k[3] * r.r + k[4] * r.g + k[5] * r.b);
}
}  // namespace

void ApplyAnalg(const KernelArgs& args, int offset) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const int w = a.Width;
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < w; ++x) {
      const Rgb l = RgbOf(srcRow[std::max(0, x - offset)]);
      const Rgb r = RgbOf(srcRow[std::min(w - 1, x + offset)]);
      Rgb c{Project(kDubois[0], l, r), Project(kDubois[1], l, r), Project(kDubois[2], l, r)};
      Clamp255(c);
      run.Compose(run.Effect(c, dstRow, srcRow, x), dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
