// Maximum: each channel the largest value of the square window around the pixel.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/kernels/WindowRows.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& MaxFilter() {
  static const FilterDecl decl{
      .Stem = "Max",
      .DialogClass = "TFormMax",
      .MenuCaption = "Maksymalizuj...",
      .Menu = "Filtry macierzowe",
      .DialogCaption = "Opcje maksymalizacji",
      .HistoryLabel = "Maksymalizacja",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Radius", "Moc:", 1, 10, 2)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyMax(a, v.Get("Radius")); },
      .Summary = "Maximum: the brightest value of the square window, per channel.",
      .Description = "Maksymalizacja: każdy kanał przyjmuje największą wartość z kwadratu o promieniu Moc.",
  };
  return decl;
}

void ApplyMax(const KernelArgs& args, int radius) {
  const KernelArgs a = ClampedArgs(args);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath) {
    RunNeighbourPlain(a, true, [&](int x, int y) { return WindowMaximum(a.Src, x, y, radius, w, h); });
    return;
  }
  ExtremeRows rows(a.Src, radius, w, h, true);
  RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
}

}  // namespace rv
