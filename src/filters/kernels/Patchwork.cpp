// Patchwork: the mosaic's tiles with a grid of lines in the primary colour
// drawn over them.
#include <algorithm>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& PatchworkFilter() {
  static const FilterDecl decl{
      .Stem = "Patchwork",
      .DialogClass = "TFormPatchwork",
      .MenuCaption = "Patchwork...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje Patchworku",
      .HistoryLabel = "Patchwork",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Radius", "Promień:", 1, 200, 50),
              Track("Thick", "Grubość:", 1, 20, 10),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyPatchwork(a, v.Get("Radius"), v.Get("Thick"), a.Ctx.PrimaryColor);
      },
      .Summary = "Patchwork: square tiles of their corner's colour under a grid of lines in the primary colour.",
      .Description = "Patchwork: płytki w kolorze ich narożnika pod siatką linii w kolorze głównym o grubości "
                     "Grubość.",
      .Example = {"--set", "Radius=16", "--set", "Thick=2"},
  };
  return decl;
}

namespace {
// The pen's colour over pixel p: all three channels, the fourth byte kept.
inline void Paint(Pixel& p, Pixel colour) { p = (p & 0xFF000000u) | (colour & 0x00FFFFFFu); }
}  // namespace

void ApplyPatchwork(const KernelArgs& args, int tile, int lineWidth, PackedColor primary) {
  const int t = std::max(tile, 1);
  EffectRun run(args, true, ClampedArgs(args).Height / t);
  if (!FillTiles(run, t)) return;  // a cancelled run draws no grid
  const KernelArgs& a = run.a;
  // A pen of width lw centred on the grid coordinate covers [c - lw/2, c - lw/2 + lw);
  // each line runs from the edge up to, not including, the far end point.
  const int lw = std::max(lineWidth, 1);
  const Pixel colour = PackedToPixel(primary);
  for (int gx = 0; gx < a.Width; gx += t) {
    const int x0 = std::max(0, gx - lw / 2), x1 = std::min(a.Width, gx - lw / 2 + lw);
    for (int y = 0; y < a.Height; ++y) {
      Pixel* row = a.Dst.Row(y);
      for (int x = x0; x < x1; ++x) Paint(row[x], colour);
    }
  }
  for (int gy = 0; gy < a.Height; gy += t) {
    const int y0 = std::max(0, gy - lw / 2), y1 = std::min(a.Height, gy - lw / 2 + lw);
    for (int y = y0; y < y1; ++y) {
      Pixel* row = a.Dst.Row(y);
      for (int x = 0; x < a.Width; ++x) Paint(row[x], colour);
    }
  }
  run.Finish();
}

}  // namespace rv
