// Saturation: scales each channel's distance from the pixel's grey mean by
// channel value / Redukcja.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& SaturationFilter() {
  static const FilterDecl decl{
      .Stem = "Saturation",
      .DialogClass = "TFormSaturaton",
      .MenuCaption = "Nasycenie...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje nasycenia",
      .HistoryLabel = "Nasycenie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 1, 400, 200, "Scal"),
              Track("CanalG", "Kanał zielony", 1, 400, 200, "Scal"),
              Track("CanalB", "Kanał niebieski", 1, 400, 200, "Scal"),
              Link("Scal", true),
              Track("RedukcjaR", "Redukcja R", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaG", "Redukcja G", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaB", "Redukcja B", 1, 255, 127, "ScalTolerant"),
              Link("ScalTolerant", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplySaturation(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("RedukcjaR"),
                        v.Get("RedukcjaG"), v.Get("RedukcjaB"));
      },
      .Summary = "Saturation: scales each channel's distance from the pixel's grey mean by channel value / Redukcja.",
      .Description = "Nasycenie: mnoży odległość każdego kanału od szarej średniej piksela przez stosunek wartości "
                     "kanału do Redukcji.",
  };
  return decl;
}

void ApplySaturation(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                     int redukcjaB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  f.Separable = false;
  f.MeanSeparable = true;
  // The bars start at 1; a divisor below that (only from a caller outside the
  // dialog) counts as 1.
  const Rgb v{std::max(redukcjaR, 1), std::max(redukcjaG, 1), std::max(redukcjaB, 1)};
  RunPointFilter(a, f, [v](Rgb s, Rgb e) {
    const int u = (s.r + s.g + s.b) / 3;
    return Rgb{(s.r - u) * e.r / v.r + u, (s.g - u) * e.g / v.g + u, (s.b - u) * e.b / v.b + u};
  });
}

}  // namespace rv
