// Contrast: pushes each channel away from its pivot (Tolerancja) by channel value / 255 of the distance.
#include <cstdlib>

#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ContrastFilter() {
  static const FilterDecl decl{
      .Stem = "Contrast",
      .DialogClass = "TFormContrast",
      .MenuCaption = "Kontrast...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje kontrastu",
      .HistoryLabel = "Kontrast",
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
              Track("TolerancjaR", "Tolerancja R", 0, 255, 127, "ScalTolerant"),
              Track("TolerancjaG", "Tolerancja G", 0, 255, 127, "ScalTolerant"),
              Track("TolerancjaB", "Tolerancja B", 0, 255, 127, "ScalTolerant"),
              Link("ScalTolerant", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyContrast(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("TolerancjaR"), v.Get("TolerancjaG"), v.Get("TolerancjaB"));
      },
      .Summary = "Contrast: pushes each channel away from its pivot (Tolerancja) by channel value / 255 of the distance.",
      .Description = "Zmienia kontrast: odsuwa każdy kanał od jego punktu odniesienia (Tolerancja) o część "
                     "odległości zależną od wartości kanału.",
  };
  return decl;
}

void ApplyContrast(const KernelArgs& a, int canalR, int canalG, int canalB, int tolerancjaR, int tolerancjaG,
                   int tolerancjaB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  const Rgb pivot{tolerancjaR, tolerancjaG, tolerancjaB};
  RunPointFilter(a, f, [pivot](Rgb s, Rgb e) {
    auto c = [](int s, int e, int t) {
      const int d = std::abs(t - s) * e / 255;
      return s > t ? s + d : s - d;
    };
    return Rgb{c(s.r, e.r, pivot.r), c(s.g, e.g, pivot.g), c(s.b, e.b, pivot.b)};
  });
}

}  // namespace rv
