// Shadows and highlights: pixels darker ("Cienie") or brighter ("Światła")
// than the channel's threshold receive the channel value in proportion to
// their distance from it.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ShadowFilter() {
  static const FilterDecl decl{
      .Stem = "Shadow",
      .DialogClass = "TFormShadow",
      .MenuCaption = "Korekcja cieni / świateł...",
      .Menu = "Korekta",
      .DialogCaption = "Opcje cienia / światła",
      .HistoryLabel = "Korekcja cieni/świateł",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", -100, 100, 0, "Scal"),
              Track("CanalG", "Kanał zielony", -100, 100, 0, "Scal"),
              Track("CanalB", "Kanał niebieski", -100, 100, 0, "Scal"),
              Link("Scal", true),
              Track("TolerancjaR", "Tolerancja R", 1, 240, 120, "ScalTolerant"),
              Track("TolerancjaG", "Tolerancja G", 1, 240, 120, "ScalTolerant"),
              Track("TolerancjaB", "Tolerancja B", 1, 240, 120, "ScalTolerant"),
              Link("ScalTolerant", true),
              Radio("cienie", "Cienie", "Zakres", true),
              Radio("swiatla", "Światła", "Zakres", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyShadow(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("TolerancjaR"),
                    v.Get("TolerancjaG"), v.Get("TolerancjaB"), v.Get("cienie") != 0);
      },
      .Summary = "Shadows/highlights: pixels darker (cienie) or brighter (swiatla) than Tolerancja get the channel value.",
      .Description = "Korekcja cieni lub świateł: piksele ciemniejsze (Cienie) lub jaśniejsze (Światła) od "
                     "Tolerancji zmieniają się o wartość kanału.",
      .Example = {"--set", "CanalR=60"},
  };
  return decl;
}

void ApplyShadow(const KernelArgs& a, int canalR, int canalG, int canalB, int tolerancjaR, int tolerancjaG,
                 int tolerancjaB, bool shadows) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  f.Separable = false;
  f.MeanSeparable = true;
  // The bars run 1..240, so neither t nor 255 - t is 0; other callers are held to that range.
  const Rgb t{std::clamp(tolerancjaR, 1, 240), std::clamp(tolerancjaG, 1, 240), std::clamp(tolerancjaB, 1, 240)};
  if (shadows) {
    RunPointFilter(a, f, [t](Rgb s, Rgb e) {
      const int u = (s.r + s.g + s.b) / 3;
      auto c = [u](int s, int e, int t) { return u < t ? (100 - (u * 100) / t) * e / 100 + s : s; };
      return Rgb{c(s.r, e.r, t.r), c(s.g, e.g, t.g), c(s.b, e.b, t.b)};
    });
  } else {
    RunPointFilter(a, f, [t](Rgb s, Rgb e) {
      const int u = (s.r + s.g + s.b) / 3;
      auto c = [u](int s, int e, int t) { return u > t ? ((u - t) * 100) / (255 - t) * e / 100 + s : s; };
      return Rgb{c(s.r, e.r, t.r), c(s.g, e.g, t.g), c(s.b, e.b, t.b)};
    });
  }
}

}  // namespace rv
