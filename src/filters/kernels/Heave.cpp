// Waves: every column moves up or down by a sine (or cosine) of its position.
#include <algorithm>
#include <cmath>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HeaveFilter() {
  static const FilterDecl decl{
      .Stem = "Heave",
      .DialogClass = "TFormHeave",
      .MenuCaption = "Falowanie...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje falowania",
      .HistoryLabel = "Falowanie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Szer", "Szerokość", 1, 314, 127),
              Track("Wys", "Wysokość", 1, 314, 127),
              Radio("Sin", "Sin", "Fala", true),
              Radio("Cos", "Cos", "Fala", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyHeave(a, static_cast<double>(v.Get("Szer")), v.Get("Wys"), v.Get("Sin") != 0);
      },
      .Summary = "Waves: moves every column up or down along a sine or cosine wave.",
      .Description = "Falowanie: przesuwa każdą kolumnę w górę lub w dół wzdłuż sinusoidy albo cosinusoidy.",
      .Example = {"--set", "Szer=12", "--set", "Wys=8"},
  };
  return decl;
}

namespace {
// Keeps the cache-warming reads from being optimised away.
volatile Pixel sink_ = 0;

inline double Displacement(int x, double wavelength, int amplitude, bool useSin) {
  const double phase = x / wavelength;
  return amplitude * (useSin ? std::sin(phase) : std::cos(phase));
}
}  // namespace

void ApplyHeave(const KernelArgs& args, double wavelength, int amplitude, bool useSin) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const Pixel* const srcBase = a.Src.Data();
  const std::size_t stride = static_cast<std::size_t>(a.Src.Width());
  const int lastRow = a.Height - 1;
  // Pixels x0..x1 - 1 of row y.
  auto span = [&](int y, int x0, int x1, auto displacement) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = x0; x < x1; ++x) {
      const int ty = ClampTo(static_cast<int>(y + displacement(x)), 0, lastRow);
      const Pixel* fromRow = srcBase + static_cast<std::size_t>(ty) * stride;
      const Rgb e = run.Effect(RgbOf(fromRow[x]), dstRow, fromRow, x);
      run.Mix(run.Blend(e, dstRow, fromRow, x), dstRow, srcRow, x, m[x]);
    }
  };
  if (run.Plain() || !run.LocalDrawsAllowed()) {
    for (int y = 0; y < a.Height; ++y) {
      if (!run.EnterRow()) return;
      span(y, 0, a.Width, [&](int x) { return Displacement(x, wavelength, amplitude, useSin); });
    }
    run.Finish();
    return;
  }
  // Nothing draws, so the order is free: the displacement is taken once per
  // column, and bands of rows are walked in narrow column tiles, along which
  // the displaced reads stay within a few rows of one another.
  std::vector<double> d(static_cast<std::size_t>(a.Width));
  for (int x = 0; x < a.Width; ++x) d[static_cast<std::size_t>(x)] = Displacement(x, wavelength, amplitude, useSin);
  const double* const dd = d.data();
  constexpr int kBand = 128, kTile = 16;
  for (int y0 = 0; y0 < a.Height; y0 += kBand) {
    const int y1 = std::min(a.Height, y0 + kBand);
    for (int y = y0; y < y1; ++y)
      if (!run.EnterRow()) return;
    for (int x0 = 0; x0 < a.Width; x0 += kTile) {
      const int x1 = std::min(a.Width, x0 + kTile);
      // Read the rows the tile's displacements reach once in order, so that
      // the displaced reads find them in the cache.
      double lo = 0, hi = 0;
      for (int x = x0; x < x1; ++x) {
        lo = std::min(lo, dd[x]);
        hi = std::max(hi, dd[x]);
      }
      const int r0 = ClampTo(static_cast<int>(y0 + lo) - 1, 0, lastRow);
      const int r1 = ClampTo(static_cast<int>(y1 + hi) + 1, 0, lastRow);
      Pixel touched = 0;
      for (int j = r0; j <= r1; ++j) {
        const Pixel* row = srcBase + static_cast<std::size_t>(j) * stride;
        for (int i = x0; i < x1; i += 16) touched |= row[i];
      }
      sink_ = sink_ + touched;
      for (int y = y0; y < y1; ++y) span(y, x0, x1, [&](int x) { return dd[x]; });
    }
  }
  run.Finish();
}

}  // namespace rv
