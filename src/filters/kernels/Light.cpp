// Lighten: adds the channel values to every pixel.
#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& LightFilter() {
  static const FilterDecl decl{
      .Stem = "Light",
      .DialogClass = "TFormLight",
      .MenuCaption = "Rozjaśnienie...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje rozjaśnienia",
      .HistoryLabel = "Rozjaśnienie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 0, 255, 127, "Scal"),
              Track("CanalB", "Kanał niebieski", 0, 255, 127, "Scal"),
              Link("Scal", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyLight(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"));
      },
      .Summary = "Lighten: adds the channel values to every pixel.",
      .Description = "Rozjaśnia obraz: dodaje wartości kanałów do każdego piksela.",
  };
  return decl;
}

void ApplyLight(const KernelArgs& a, int canalR, int canalG, int canalB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  RunPointFilter(a, f, [](Rgb s, Rgb e) {
    auto c = [](int s, int e) { return s + e; };
    return Rgb{c(s.r, e.r), c(s.g, e.g), c(s.b, e.b)};
  });
}

}  // namespace rv
