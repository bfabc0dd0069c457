// Minimum: each channel the smallest value of the square window around the pixel.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/kernels/WindowRows.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& MinFilter() {
  static const FilterDecl decl{
      .Stem = "Min",
      .DialogClass = "TFormMin",
      .MenuCaption = "Minimalizuj...",
      .Menu = "Filtry macierzowe",
      .DialogCaption = "Opcje minimalizacji",
      .HistoryLabel = "Minimalizacja",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc:", 1, 10, 2)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyMin(a, v.Get("Radius")); },
      .Summary = "Minimum: the darkest value of the square window, per channel.",
      .Description = "Minimalizacja: każdy kanał przyjmuje najmniejszą wartość z kwadratu o promieniu Moc.",
  };
  return decl;
}

void ApplyMin(const KernelArgs& args, int radius) {
  const KernelArgs a = ClampedArgs(args);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath) {
    RunNeighbourPlain(a, true, [&](int x, int y) { return WindowMinimum(a.Src, x, y, radius, w, h); });
    return;
  }
  ExtremeRows rows(a.Src, radius, w, h, false);
  RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
}

}  // namespace rv
