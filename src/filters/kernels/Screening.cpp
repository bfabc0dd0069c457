// Screening: a checkerboard of square cells; on-cells take the primary colour
// (or the pixel plus the amounts with "Monochromatycznie"), off-cells keep the
// picture (or lose the amounts).
#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ScreeningFilter() {
  static const FilterDecl decl{
      .Stem = "Screening",
      .DialogClass = "TFormScreening",
      .MenuCaption = "Rastrowanie...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje rastrowania",
      .HistoryLabel = "Rastrowanie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", -255, 255, 0, "Scal"),
              Track("CanalG", "Kanał zielony", -255, 255, 0, "Scal"),
              Track("CanalB", "Kanał niebieski", -255, 255, 0, "Scal"),
              Link("Scal", true),
              Check("mono", "Monochromatycznie", false),
              Check("lewo", "Lewo", false),
              Track("Radius", "Promień:", 1, 100, 50),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyScreening(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("Radius"), v.Get("lewo") != 0,
                       v.Get("mono") != 0, a.Ctx.PrimaryColor);
      },
      .Summary = "Screening: a checkerboard of square cells filled with the primary colour or shifted by the amounts.",
      .Description = "Rastrowanie: szachownica kwadratów o boku Promień, wypełnianych kolorem głównym albo "
                     "(Monochromatycznie) zmienianych o wartości kanałów.",
      .Example = {"--set", "Radius=16"},
  };
  return decl;
}

void ApplyScreening(const KernelArgs& args, int canalR, int canalG, int canalB, int cell, bool lewo, bool mono,
                    PackedColor primary) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const int t = cell < 1 ? 1 : cell;
  const Rgb top = mono ? Rgb{canalR, canalG, canalB} : Rgb{PackedRed(primary), PackedGreen(primary), PackedBlue(primary)};
  // The row flag flips at every row y with y mod t = 0 (row 0 included), the
  // cell flag starts from it and flips at every such column: cell (0, 0) is an
  // on-cell exactly when "Lewo" is ticked.
  bool rowFlag = lewo;
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    if (y % t == 0) rowFlag = !rowFlag;
    bool on = rowFlag;
    int k = 0;  // column within the cell
    for (int x = 0; x < a.Width; ++x) {
      if (k == 0) on = !on;
      if (++k == t) k = 0;
      const Rgb s = RgbOf(srcRow[x]);
      const Rgb e = run.Effect(top, dstRow, srcRow, x);
      Rgb c;
      if (mono)
        c = on ? Rgb{s.r + e.r, s.g + e.g, s.b + e.b} : Rgb{s.r - e.r, s.g - e.g, s.b - e.b};
      else
        c = on ? e : s;
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
