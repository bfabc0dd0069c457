// Gradient edge detection: the side of the chosen direction against the
// opposite side and the centre; the weights sum to 0.
#include "filters/kernels/MatrixSides.h"
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& EdgesGradientFilter() {
  static const FilterDecl decl{
      .Stem = "EdgesGradient",
      .DialogClass = "TFormEdgesGradient",
      .MenuCaption = "Gradientowe wykrywania krawędzi...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje wykrywania krawędzi metodą gradientową",
      .HistoryLabel = "Gradientowe wykrywanie krawędzi",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = detail::CompassButtons(),
      .Run = RunMatrixDialog,
      .Summary = "Gradient edge detection: the side of the chosen direction against the rest.",
      .Description = "Gradientowe wykrywanie krawędzi: macierz 3 × 3 o sumie 0, ujemna po stronie wybranego "
                     "kierunku.",
  };
  return decl;
}

FilterMatrix BuildEdgesGradientMatrix(MatrixButton selected) {
  FilterMatrix m;
  for (auto& row : m) row = {1.0f, 1.0f, 1.0f};
  m[1][1] = -2.0f;
  detail::Cells side;
  std::array<std::pair<int, int>, 2> across;
  if (detail::SideCells(selected, side, across))
    for (auto c : side) detail::Cell(m, c) = -1.0f;
  return m;
}

FilterMatrix EdgesGradientOpeningMatrix() { return BuildEdgesGradientMatrix(MatrixButton::N); }

}  // namespace rv
