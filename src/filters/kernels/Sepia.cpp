// Sepia: from the pixel's grey mean, red gains CanalR times the spread, green
// gains CanalG, blue stays at the mean.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& SepiaFilter() {
  static const FilterDecl decl{
      .Stem = "Sepia",
      .DialogClass = "TFormSepia",
      .MenuCaption = "Sepia...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje sepii",
      .HistoryLabel = "Sepia",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 0, 255, 127, "Scal"),
              Link("Scal", true),
              Track("Rozpietosc", "Rozpiętość", 1, 255, 127),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplySepia(a, v.Get("CanalR"), v.Get("CanalG"), Percent(v.Get("Rozpietosc")));
      },
      .Summary = "Sepia: from the grey mean, red gains CanalR * Rozpietosc / 100, green gains CanalG.",
      .Description = "Sepia: od szarej średniej piksela czerwień rośnie o wartość czerwonego kanału razy Rozpiętość "
                     "/ 100, zieleń o wartość zielonego.",
  };
  return decl;
}

void ApplySepia(const KernelArgs& a, int canalR, int canalG, float spread) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, 100};
  f.Separable = false;
  f.MeanSeparable = true;
  RunPointFilter(a, f, [spread](Rgb s, Rgb e) {
    const int u = (s.r + s.g + s.b) / 3;
    return Rgb{static_cast<int>(static_cast<double>(u) + static_cast<double>(e.r) * spread), u + e.g, u};
  });
}

}  // namespace rv
