// Blur: each channel the mean of the square window around the pixel.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/kernels/WindowRows.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& BlurFilterFilter() {
  static const FilterDecl decl{
      .Stem = "BlurFilter",
      .DialogClass = "TFormBlurFilter",
      .MenuCaption = "Rozmycie...",
      .Menu = "Filtry macierzowe",
      .DialogCaption = "Opcje rozmycia",
      .HistoryLabel = "Rozmycie",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Zasięg rozmycia:", 1, 10, 2)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyBlurFilter(a, v.Get("Radius")); },
      .Summary = "Blur: the mean of the square window of the chosen radius.",
      .Description = "Rozmycie: każdy kanał przyjmuje średnią z kwadratu o promieniu Zasięg rozmycia.",
  };
  return decl;
}

void ApplyBlurFilter(const KernelArgs& args, int radius) {
  const KernelArgs a = ClampedArgs(args);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath) {
    RunNeighbourPlain(a, true, [&](int x, int y) { return WindowAverage(a.Src, x, y, radius, w, h); });
    return;
  }
  AverageRows rows(a.Src, radius, w, h);
  RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
}

}  // namespace rv
