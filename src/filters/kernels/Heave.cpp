// Waves: every column moves up or down by a sine (or cosine) of its position.
#include <cmath>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HeaveFilter() {
  static const FilterDecl decl{
      .Stem = "Heave",
      .DialogClass = "TFormHeave",
      .MenuCaption = "Falowanie...",
      .DialogCaption = "Opcje falowania",
      .HistoryLabel = "Falowanie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Szer", "Szerokość", 1, 314, 127),
              Track("Wys", "Wysokość", 1, 314, 127),
              Radio("Sin", "Sin", "Fala", true),
              Radio("Cos", "Cos", "Fala", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyHeave(a, static_cast<double>(v.Get("Szer")), v.Get("Wys"), v.Get("Sin") != 0);
      },
      .Summary = "Waves: moves every column up or down along a sine or cosine wave.",
  };
  return decl;
}

namespace {
inline double Displacement(int x, double wavelength, int amplitude, bool useSin) {
  const double phase = x / wavelength;
  return amplitude * (useSin ? std::sin(phase) : std::cos(phase));
}
}  // namespace

void ApplyHeave(const KernelArgs& args, double wavelength, int amplitude, bool useSin) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  // The displacement depends on the column alone; the fast path takes it once per column.
  std::vector<double> d;
  if (!run.Plain()) {
    d.resize(static_cast<std::size_t>(a.Width));
    for (int x = 0; x < a.Width; ++x) d[static_cast<std::size_t>(x)] = Displacement(x, wavelength, amplitude, useSin);
  }
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const double dx = run.Plain() ? Displacement(x, wavelength, amplitude, useSin) : d[static_cast<std::size_t>(x)];
      const int ty = ClampTo(static_cast<int>(y + dx), 0, a.Height - 1);
      const Pixel* fromRow = a.Src.Row(ty);
      const Rgb e = run.Effect(RgbOf(fromRow[x]), dstRow, fromRow, x);
      run.Mix(run.Blend(e, dstRow, fromRow, x), dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
