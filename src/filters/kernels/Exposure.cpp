// Exposure: multiplies each channel by channel value / Redukcja.
#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ExposureFilter() {
  static const FilterDecl decl{
      .Stem = "Exposure",
      .DialogClass = "TFormExposure",
      .MenuCaption = "Ekspozycja...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje Ekspozycji",
      .HistoryLabel = "Ekspozycja",
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
              Track("RedukcjaR", "Redukcja R", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaG", "Redukcja G", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaB", "Redukcja B", 1, 255, 127, "ScalTolerant"),
              Link("ScalTolerant", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyExposure(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("RedukcjaR"), v.Get("RedukcjaG"), v.Get("RedukcjaB"));
      },
      .Summary = "Exposure: multiplies each channel by channel value / Redukcja.",
      .Description = "Ekspozycja: mnoży każdy kanał przez stosunek wartości kanału do Redukcji.",
  };
  return decl;
}

void ApplyExposure(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                   int redukcjaB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  const Rgb divisor{redukcjaR, redukcjaG, redukcjaB};
  RunPointFilter(a, f, [divisor](Rgb s, Rgb e) {
    // The divisors come from bars whose minimum is 1; 0 is refused, not divided by.
    auto c = [](int s, int e, int v) {
      return v == 0 ? s : static_cast<int>(static_cast<double>(e) / v * s);
    };
    return Rgb{c(s.r, e.r, divisor.r), c(s.g, e.g, divisor.g), c(s.b, e.b, divisor.b)};
  });
}

}  // namespace rv
