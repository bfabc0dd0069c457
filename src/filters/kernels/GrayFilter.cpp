// Grey scale: every channel takes the mean of the pixel's effect amounts (the
// pixel itself under "Zwykły").
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& GrayFilterFilter() {
  static const FilterDecl decl{
      .Stem = "GrayFilter",
      .DialogClass = "TFormGrayFilter",
      .MenuCaption = "Skala szarości...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje szarości",
      .HistoryLabel = "Skala szarości",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {},
      .Run = [](const KernelArgs& a, const FilterSettings&) { ApplyGrayFilter(a); },
      .Summary = "Grey scale: each channel takes the mean of the pixel's three channels.",
      .Description = "Skala szarości: każdy kanał przyjmuje średnią trzech kanałów piksela.",
  };
  return decl;
}

void ApplyGrayFilter(const KernelArgs& a) {
  PointFilter f;
  f.EffectTopFromSource = true;
  f.Separable = false;
  RunPointFilter(a, f, [](Rgb, Rgb e) {
    const int g = (e.r + e.g + e.b) / 3;
    return Rgb{g, g, g};
  });
}

}  // namespace rv
