// Noise removal: a channel that lies at least its threshold away from the
// median of the 5 x 5 window takes the median; closer values stay.
#include <cstdlib>

#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/kernels/WindowRows.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& DeleteNoiseFilter() {
  static const FilterDecl decl{
      .Stem = "DeleteNoise",
      .DialogClass = "TFormDeleteNoise",
      .MenuCaption = "Usuń szum...",
      .Menu = "Korekta",
      .DialogCaption = "Opcje usuwania szumu",
      .HistoryLabel = "Usuwanie szumu",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = false,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 40, 5, "Scal"),
              Track("CanalG", "Kanał zielony", 0, 40, 5, "Scal"),
              Track("CanalB", "Kanał niebieski", 0, 40, 5, "Scal"),
              Link("Scal", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyDeleteNoise(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"));
      },
      .Summary = "Noise removal: channels far from the 5 x 5 median (by the thresholds) take the median.",
      .Description = "Usuwanie szumu: kanał, który różni się od mediany okna 5 × 5 co najmniej o próg, przyjmuje "
                     "wartość mediany.",
  };
  return decl;
}

namespace {

constexpr int kNoiseRadius = 2;

inline int KeepOrRank(int s, int rank, int threshold) { return std::abs(rank - s) < threshold ? s : rank; }

}  // namespace

void ApplyDeleteNoise(const KernelArgs& args, int canalR, int canalG, int canalB) {
  const KernelArgs a = ClampedArgs(args);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath || !MedianRows::Supports(kNoiseRadius, w, h)) {
    RunNeighbourPlain(a, false, [&](int x, int y) {
      const Rgb rank = WindowMedian(a.Src, x, y, kNoiseRadius, w, h);
      const Pixel s = a.Src.Row(y)[x];
      return Rgb{KeepOrRank(PixelRed(s), rank.r, canalR), KeepOrRank(PixelGreen(s), rank.g, canalG),
                 KeepOrRank(PixelBlue(s), rank.b, canalB)};
    });
    return;
  }
  auto keepNear = [&](int y, Pixel* out) {
    const Pixel* src = a.Src.Row(y);
    for (int x = 0; x < w; ++x) {
      const Pixel s = src[x], rank = out[x];
      out[x] = MakePixel(KeepOrRank(PixelRed(s), PixelRed(rank), canalR),
                         KeepOrRank(PixelGreen(s), PixelGreen(rank), canalG),
                         KeepOrRank(PixelBlue(s), PixelBlue(rank), canalB));
    }
  };
  if (SmallMedianRows::Supports(kNoiseRadius, w, h)) {
    SmallMedianRows rows(a.Src, kNoiseRadius, w, h);
    RunNeighbourRows(a, false, [&](int y, Pixel* out) {
      rows.Fill(y, out);
      keepNear(y, out);
    });
    return;
  }
  MedianRows rows(a.Src, kNoiseRadius, w, h);
  RunNeighbourRows(a, false, [&](int y, Pixel* out) {
    rows.Fill(y, out);
    keepNear(y, out);
  });
}

}  // namespace rv
