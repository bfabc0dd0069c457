// Shift: every pixel moves by a fixed offset, clamped to the picture; what no
// pixel reaches keeps its former content.
#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ShiftFilter() {
  static const FilterDecl decl{
      .Stem = "Shift",
      .DialogClass = "TFormShift",
      .MenuCaption = "Przesunięcie...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje przesunięcia",
      .HistoryLabel = "Przesunięcie",
      .PreviewHalfSize = 0,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              // The command sets the ranges to -width..width and -height..height.
              Track("PosX", "Szerokość:", -400, 400, 0),
              Track("PosY", "Wysokość:", -400, 400, 0),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyShift(a, v.Get("PosX"), v.Get("PosY")); },
      .Summary = "Shift: moves the picture by an offset; the uncovered part keeps its former content.",
      .Description = "Przesunięcie: przesuwa obraz o zadany wektor; odsłonięta część zachowuje dawną zawartość.",
      .Prepare = [](FilterSettings& v, int width, int height) {
        v.SetRange("PosX", -width, width);
        v.SetRange("PosY", -height, height);
      },
      .CentredOnScreen = true,
      .Example = {"--set", "PosX=40", "--set", "PosY=20"},
  };
  return decl;
}

void ApplyShift(const KernelArgs& args, int dx, int dy) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  for (int y = 0; y < a.Height; ++y) {
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);  // the weight of the source position
    const int ty = ClampTo(y + dy, 0, a.Height - 1);
    Pixel* toRow = a.Dst.Row(ty);
    const Pixel* baseRow = a.Src.Row(ty);
    for (int x = 0; x < a.Width; ++x) {
      const int tx = ClampTo(x + dx, 0, a.Width - 1);
      const Rgb e = run.Effect(RgbOf(srcRow[x]), toRow, srcRow, x);
      run.Mix(run.Blend(e, toRow, baseRow, tx), toRow, baseRow, tx, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
