// Threshold: each channel below its threshold takes the primary colour's
// channel, the others the secondary colour's; "Monochromatycznie" compares the
// pixel's mean with the thresholds' mean and gives a grey.
#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HoldFilter() {
  static const FilterDecl decl{
      .Stem = "Hold",
      .DialogClass = "TFormHold",
      .MenuCaption = "Progowanie...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje progowania",
      .HistoryLabel = "Progowanie",
      .PreviewHalfSize = 400,
      .HasTryb = false,
      .HasTypeBox = false,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 0, 255, 127, "Scal"),
              Track("CanalB", "Kanał niebieski", 0, 255, 127, "Scal"),
              Link("Scal", true),
              Check("Mono", "Monochromatycznie", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyHold(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("Mono") != 0);
      },
      .Summary = "Threshold: channels below their threshold take the primary colour, the rest the secondary colour.",
      .Description = "Progowanie: kanały poniżej progu przyjmują kolor główny, pozostałe kolor pomocniczy.",
  };
  return decl;
}

void ApplyHold(const KernelArgs& a, int canalR, int canalG, int canalB, bool mono) {
  const PackedColor pc = a.Ctx.PrimaryColor;
  const PackedColor qc = a.Ctx.SecondaryColor;
  const Rgb p{PackedRed(pc), PackedGreen(pc), PackedBlue(pc)};
  const Rgb q{PackedRed(qc), PackedGreen(qc), PackedBlue(qc)};
  const Rgb t{canalR, canalG, canalB};
  PointFilter f;
  f.UsesEffect = false;
  f.UsesBlend = false;
  if (mono) {
    f.Separable = false;
    const int threshold = (t.r + t.g + t.b) / 3;
    const int dark = (p.r + p.g + p.b) / 3;
    const int light = (q.r + q.g + q.b) / 3;
    RunPointFilter(a, f, [=](Rgb s, Rgb) {
      const int v = (s.r + s.g + s.b) / 3 < threshold ? dark : light;
      return Rgb{v, v, v};
    });
  } else {
    RunPointFilter(a, f, [=](Rgb s, Rgb) {
      return Rgb{s.r < t.r ? p.r : q.r, s.g < t.g ? p.g : q.g, s.b < t.b ? p.b : q.b};
    });
  }
}

}  // namespace rv
