// Selective colour: lifts each channel in proportion to its brightness by the
// red, green or blue value, lowers it in proportion to its darkness by the
// cyan, magenta or yellow value, and averages that with the channel.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& SelectiveFilter() {
  static const FilterDecl decl{
      .Stem = "Selective",
      .DialogClass = "TFormSelective",
      .MenuCaption = "Kolor selektywny...",
      .Menu = "Korekta",
      .DialogCaption = "Kolor selektywny",
      .HistoryLabel = "Kolor selektywny",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 255, 0),
              Track("CanalG", "Kanał zielony", 0, 255, 0),
              Track("CanalB", "Kanał niebieski", 0, 255, 0),
              Track("CanalC", "Kanał cyjan", 0, 255, 0),
              Track("CanalF", "Kanał fioletowy", 0, 255, 0),
              Track("CanalY", "Kanał żółty", 0, 255, 0),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplySelective(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("CanalC"), v.Get("CanalF"),
                       v.Get("CanalY"));
      },
      .Summary = "Selective colour: raises bright parts of a channel by R/G/B, lowers dark parts by C/F/Y.",
      .Description = "Kolor selektywny: podnosi jasne partie kanału o wartości R, G, B i obniża ciemne o wartości C, "
                     "F, Y.",
      .Example = {"--set", "CanalR=120", "--set", "CanalY=90"},
  };
  return decl;
}

void ApplySelective(const KernelArgs& a, int canalR, int canalG, int canalB, int canalC, int canalF, int canalY) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  f.EffectTop2 = {canalC, canalF, canalY};
  RunPointFilter(a, f, [](Rgb s, Rgb e, Rgb d) {
    auto c = [](int s, int e, int d) {
      return ((s * 100) / 255 * e / 100 + s + s - ((255 - s) * 100) / 255 * d / 100) / 2;
    };
    return Rgb{c(s.r, e.r, d.r), c(s.g, e.g, d.g), c(s.b, e.b, d.b)};
  });
}

}  // namespace rv
