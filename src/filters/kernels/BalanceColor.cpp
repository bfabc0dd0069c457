// Colour balance: adds each channel's value to the channel.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& BalanceColorFilter() {
  static const FilterDecl decl{
      .Stem = "BalanceColor",
      .DialogClass = "TFormBalanceColor",
      .MenuCaption = "Balans kolorów...",
      .Menu = "Filtry proste",
      .DialogCaption = "Balans kolorów",
      .HistoryLabel = "Balans kolorów",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", -255, 255, 0, "Scal"),
              Track("CanalG", "Kanał zielony", -255, 255, 0, "Scal"),
              Track("CanalB", "Kanał niebieski", -255, 255, 0, "Scal"),
              Link("Scal", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyBalanceColor(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"));
      },
      .Summary = "Colour balance: adds each channel's value (-255..255) to the channel.",
      .Description = "Balans kolorów: dodaje do każdego kanału jego wartość (od −255 do 255).",
      .Example = {"--set", "CanalR=80", "--set", "CanalB=-60"},
  };
  return decl;
}

void ApplyBalanceColor(const KernelArgs& a, int canalR, int canalG, int canalB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  RunPointFilter(a, f, [](Rgb s, Rgb e) { return Rgb{s.r + e.r, s.g + e.g, s.b + e.b}; });
}

}  // namespace rv
