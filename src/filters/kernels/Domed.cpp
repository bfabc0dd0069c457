// Emboss: the side of the chosen direction against the opposite side, the
// line across the middle left out; the weights sum to 1, so flat areas keep
// their colour.
#include "filters/kernels/MatrixSides.h"
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& DomedFilter() {
  static const FilterDecl decl{
      .Stem = "Domed",
      .DialogClass = "TFormDomed",
      .MenuCaption = "Filtr uwypuklający...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje wypuklenia",
      .HistoryLabel = "Wypuklenie",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = detail::CompassButtons(),
      .Run = RunMatrixDialog,
      .Summary = "Emboss: the side of the chosen direction against the opposite side.",
      .Description = "Uwypuklenie: macierz 3 × 3 o sumie 1, ujemna po stronie wybranego kierunku; płaskie obszary "
                     "zachowują kolor.",
  };
  return decl;
}

FilterMatrix BuildDomedMatrix(MatrixButton selected) {
  FilterMatrix m;
  for (auto& row : m) row = {1.0f, 1.0f, 1.0f};
  detail::Cells side;
  std::array<std::pair<int, int>, 2> across;
  if (detail::SideCells(selected, side, across)) {
    for (auto c : side) detail::Cell(m, c) = -1.0f;
    for (auto c : across) detail::Cell(m, c) = 0.0f;
  }
  return m;
}

FilterMatrix DomedOpeningMatrix() { return BuildDomedMatrix(MatrixButton::N); }

}  // namespace rv
