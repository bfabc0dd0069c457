// Negative: the distance of each channel from its channel value (255 inverts).
#include <algorithm>
#include <cstdlib>

#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& NegativFilter() {
  static const FilterDecl decl{
      .Stem = "Negativ",
      .DialogClass = "TFormNegativ",
      .MenuCaption = "Negatyw...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje negatywu",
      .HistoryLabel = "Negatyw",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 1, 255, 255, "Scal"),
              Track("CanalG", "Kanał zielony", 1, 255, 255, "Scal"),
              Track("CanalB", "Kanał niebieski", 1, 255, 255, "Scal"),
              Link("Scal", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyNegativ(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"));
      },
      .Summary = "Negative: the distance of each channel from its channel value (255 inverts).",
      .Description = "Negatyw: odległość każdego kanału od wartości kanału (przy 255 pełne odwrócenie).",
  };
  return decl;
}

void ApplyNegativ(const KernelArgs& a, int canalR, int canalG, int canalB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  RunPointFilter(a, f, [](Rgb s, Rgb e) {
    auto c = [](int s, int e) { return std::abs(e - s); };
    return Rgb{c(s.r, e.r), c(s.g, e.g), c(s.b, e.b)};
  });
}

}  // namespace rv
