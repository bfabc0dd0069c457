// Self-overlay: the picture laid over itself with the blend mode.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& LayerFilter() {
  static const FilterDecl decl{
      .Stem = "Layer",
      .DialogClass = "TFormLayer",
      .MenuCaption = "Nałóż warstwę...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje warstwy",
      .HistoryLabel = "Nałóż warstwę",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = false,
      .HasTransparency = true,
      .Controls = {},
      .Run = [](const KernelArgs& a, const FilterSettings&) { ApplyLayer(a); },
      .Summary = "Self-overlay: lays the picture over itself with the blend mode (Mnozenie squares it).",
      .Description = "Nakłada obraz sam na siebie wybranym trybem mieszania (np. Mnożenie przyciemnia).",
  };
  return decl;
}

void ApplyLayer(const KernelArgs& a) {
  PointFilter f;
  f.UsesEffect = false;
  RunPointFilter(a, f, [](Rgb s, Rgb) { return s; });
}

}  // namespace rv
