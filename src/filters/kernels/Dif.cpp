// Diffusion: every pixel takes the colour of a random neighbour within the
// radius (offsets -R..R - 1 in each direction).
#include <algorithm>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& DifFilter() {
  static const FilterDecl decl{
      .Stem = "Dif",
      .DialogClass = "TFormDif",
      .MenuCaption = "Dyfuzja...",
      .DialogCaption = "Opcje dyfuzji",
      .HistoryLabel = "Dyfuzja",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc", 1, 100, 50)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyDif(a, v.Get("Radius")); },
      .Summary = "Diffusion: every pixel takes the colour of a random neighbour within the radius.",
  };
  return decl;
}

namespace {

template <class Draws>
void DifRows(const EffectRun& run, int radius, Draws& d) {
  const KernelArgs& a = run.a;
  const SmallDivisor span(static_cast<std::uint32_t>(2 * radius));
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const int r1 = d.Next();
      const int r2 = d.Next();
      const int rx = ClampTo(static_cast<int>(span.Mod(static_cast<std::uint32_t>(r1))) + x - radius, 0, a.Width - 1);
      const int ry = ClampTo(static_cast<int>(span.Mod(static_cast<std::uint32_t>(r2))) + y - radius, 0, a.Height - 1);
      const Pixel* fromRow = a.Src.Row(ry);
      Rgb e = run.Effect(RgbOf(fromRow[rx]), dstRow, fromRow, x);
      Clamp255(e);
      run.Mix(run.Blend(e, dstRow, fromRow, rx), dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace

void ApplyDif(const KernelArgs& args, int radius) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const int r = std::max(radius, 1);
  WithDraws(run, [&](auto& d) { DifRows(run, r, d); });
}

}  // namespace rv
