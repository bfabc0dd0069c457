// Posterize: keeps only the multiples of the channel value plus one.
#include <algorithm>
#include <cstdlib>

#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& PosterizeFilter() {
  static const FilterDecl decl{
      .Stem = "Posterize",
      .DialogClass = "TFormPosterize",
      .MenuCaption = "Pasteryzacja...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje pasteryzacji",
      .HistoryLabel = "Pasteryzacja",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 1, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 1, 255, 127, "Scal"),
              Track("CanalB", "Kanał niebieski", 1, 255, 127, "Scal"),
              Link("Scal", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyPosterize(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"));
      },
      .Summary = "Posterize: keeps only the multiples of the channel value plus one.",
      .Description = "Pasteryzacja: zostawia w każdym kanale tylko wielokrotności wartości kanału powiększonej o "
                     "jeden.",
  };
  return decl;
}

void ApplyPosterize(const KernelArgs& a, int canalR, int canalG, int canalB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  RunPointFilter(a, f, [](Rgb s, Rgb e) {
    // The step is at least 1: the effect amounts of this dialog are never negative.
    auto c = [](int s, int e) {
      const int k = std::max(1, e + 1);
      return (s / k) * k;
    };
    return Rgb{c(s.r, e.r), c(s.g, e.g), c(s.b, e.b)};
  });
}

}  // namespace rv
