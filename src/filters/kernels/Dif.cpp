// Diffusion: every pixel takes the colour of a random neighbour within the
// radius (offsets -R..R - 1 in each direction).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& DifFilter() {
  static const FilterDecl decl{
      .Stem = "Dif",
      .DialogClass = "TFormDif",
      .MenuCaption = "Dyfuzja...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje dyfuzji",
      .HistoryLabel = "Dyfuzja",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc", 1, 100, 50)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyDif(a, v.Get("Radius")); },
      .Summary = "Diffusion: every pixel takes the colour of a random neighbour within the radius.",
      .Description = "Dyfuzja: każdy piksel przyjmuje kolor losowego sąsiada w odległości do Moc pikseli.",
      .Example = {"--set", "Radius=4"},
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

// Keeps the cache-warming reads from being optimised away.
volatile Pixel sink_ = 0;

// Where nothing else draws, the offsets of a band of rows are drawn first, in
// the pixels' order, and the band is then walked in narrow column tiles, so
// that the rows the random reads reach stay in the cache.
void DifBands(const EffectRun& run, int radius, LocalDraws& d) {
  const KernelArgs& a = run.a;
  const SmallDivisor span(static_cast<std::uint32_t>(2 * radius));
  constexpr int kBand = 64, kTile = 128;
  const std::size_t w = static_cast<std::size_t>(a.Width);
  std::vector<std::int8_t> ox(w * kBand), oy(w * kBand);
  for (int y0 = 0; y0 < a.Height; y0 += kBand) {
    const int y1 = std::min(a.Height, y0 + kBand);
    for (int y = y0; y < y1; ++y) {
      if (!run.EnterRow()) return;
      std::int8_t* rx = ox.data() + static_cast<std::size_t>(y - y0) * w;
      std::int8_t* ry = oy.data() + static_cast<std::size_t>(y - y0) * w;
      for (std::size_t x = 0; x < w; ++x) {
        rx[x] = static_cast<std::int8_t>(static_cast<int>(span.Mod(static_cast<std::uint32_t>(d.Next()))) - radius);
        ry[x] = static_cast<std::int8_t>(static_cast<int>(span.Mod(static_cast<std::uint32_t>(d.Next()))) - radius);
      }
    }
    for (int x0 = 0; x0 < a.Width; x0 += kTile) {
      const int x1 = std::min(a.Width, x0 + kTile);
      // Read the block the tile's offsets can reach once in order, so that the
      // random reads find it in the cache.
      const int bx0 = std::max(0, x0 - radius), bx1 = std::min(a.Width, x1 + radius);
      Pixel touched = 0;
      for (int j = std::max(0, y0 - radius); j < std::min(a.Height, y1 + radius); ++j) {
        const Pixel* row = a.Src.Row(j);
        for (int i = bx0; i < bx1; i += 16) touched |= row[i];
      }
      sink_ = sink_ + touched;
      for (int y = y0; y < y1; ++y) {
        Pixel* dstRow = a.Dst.Row(y);
        const Pixel* srcRow = a.Src.Row(y);
        const std::uint8_t* m = run.mask.Row(y);
        const std::int8_t* rx = ox.data() + static_cast<std::size_t>(y - y0) * w;
        const std::int8_t* ry = oy.data() + static_cast<std::size_t>(y - y0) * w;
        for (int x = x0; x < x1; ++x) {
          const int fx = ClampTo(x + rx[x], 0, a.Width - 1);
          const Pixel* fromRow = a.Src.Row(ClampTo(y + ry[x], 0, a.Height - 1));
          Rgb e = run.Effect(RgbOf(fromRow[fx]), dstRow, fromRow, x);
          Clamp255(e);
          run.Mix(run.Blend(e, dstRow, fromRow, fx), dstRow, srcRow, x, m[x]);
        }
      }
    }
  }
  run.Finish();
}

}  // namespace

void ApplyDif(const KernelArgs& args, int radius) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const int r = std::max(radius, 1);
  if (run.LocalDrawsAllowed() && r <= 100) {
    LocalDraws d;
    DifBands(run, r, d);
    return;
  }
  WithDraws(run, [&](auto& d) { DifRows(run, r, d); });
}

}  // namespace rv
