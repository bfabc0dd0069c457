// Median: each channel the value just above the middle of the sorted window.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/kernels/WindowRows.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& MedianFilter() {
  static const FilterDecl decl{
      .Stem = "Median",
      .DialogClass = "TFormMedian",
      .MenuCaption = "Mediana",
      .Menu = "Filtry macierzowe",
      .DialogCaption = "Opcje mediany",
      .HistoryLabel = "Mediana",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Power", "Moc:", 1, 10, 2)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyMedian(a, v.Get("Power")); },
      .Summary = "Median: the value just above the middle of the square window, per channel.",
      .Description = "Mediana: każdy kanał przyjmuje wartość tuż nad środkiem uporządkowanych wartości kwadratu o "
                     "promieniu Moc.",
  };
  return decl;
}

void ApplyMedian(const KernelArgs& args, int radius) {
  const KernelArgs a = ClampedArgs(args);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath || !MedianRows::Supports(radius, w, h)) {
    RunNeighbourPlain(a, true, [&](int x, int y) { return WindowMedian(a.Src, x, y, radius, w, h); });
    return;
  }
  if (SmallMedianRows::Supports(radius, w, h)) {
    SmallMedianRows rows(a.Src, radius, w, h);
    RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
    return;
  }
  MedianRows rows(a.Src, radius, w, h);
  RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
}

}  // namespace rv
