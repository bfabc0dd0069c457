// Laplace edge detection: three discrete Laplacians, weights summing to 0.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& LaplaceFilter() {
  static const FilterDecl decl{
      .Stem = "Laplace",
      .DialogClass = "TFormLaplace",
      .MenuCaption = "Wykrywanie Laplace...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje Laplace",
      .HistoryLabel = "Wyszukiwanie Laplace",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Place(Radio("NW", "1", "Macierz", false), 0, 0),
              Place(Radio("N", "2", "Macierz", true), 0, 1),
              Place(Radio("NE", "3", "Macierz", false), 0, 2),
          },
      .Run = RunMatrixDialog,
      .Summary = "Laplace edge detection with one of three 3 x 3 Laplacians.",
      .Description = "Wykrywanie Laplace: jedna z trzech macierzy Laplace'a 3 × 3; płaskie obszary czernieją.",
  };
  return decl;
}

FilterMatrix BuildLaplaceMatrix(MatrixButton selected) {
  switch (selected) {
    case MatrixButton::NW: return {{{0, -1, 0}, {-1, 4, -1}, {0, -1, 0}}};
    case MatrixButton::NE: return {{{1, -2, 1}, {-2, 4, -2}, {1, -2, 1}}};
    default: return {{{-1, -1, -1}, {-1, 8, -1}, {-1, -1, -1}}};
  }
}

FilterMatrix LaplaceOpeningMatrix(MatrixButton selected) { return BuildLaplaceMatrix(selected); }

}  // namespace rv
