// Contour filters: the Sobel and Prewitt gradients, weights summing to 0, so
// only the positive side of each gradient shows.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ContoursFilter() {
  static const FilterDecl decl{
      .Stem = "Contours",
      .DialogClass = "TFormContours",
      .MenuCaption = "Filtry konturowe...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje filtrów konturowych",
      .HistoryLabel = "Filtry konturowe",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Place(Radio("NW", "Poziomy Sobel", "Macierz", false), 0, 0),
              Place(Radio("NE", "Poziomy Prewitta", "Macierz", false), 1, 0),
              Place(Radio("N", "Pionowy Sobel", "Macierz", true), 0, 1),
              Place(Radio("NN", "Pionowy Prewitta", "Macierz", false), 1, 1),
          },
      .Run = RunMatrixDialog,
      .Summary = "Contour filters: vertical or horizontal Sobel and Prewitt gradients.",
      .Description = "Filtry konturowe: pionowy lub poziomy operator Sobela albo Prewitta.",
  };
  return decl;
}

FilterMatrix BuildContoursMatrix(MatrixButton selected) {
  switch (selected) {
    case MatrixButton::NW: return {{{1, 2, 1}, {0, 0, 0}, {-1, -2, -1}}};
    case MatrixButton::NE: return {{{-1, -1, -1}, {0, 0, 0}, {1, 1, 1}}};
    case MatrixButton::NN: return {{{1, 0, -1}, {1, 0, -1}, {1, 0, -1}}};
    default: return {{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}};
  }
}

FilterMatrix ContoursOpeningMatrix(MatrixButton selected) { return BuildContoursMatrix(selected); }

}  // namespace rv
