// Simple sharpening: the pixel against its four or eight neighbours, with
// weights summing to 1 so that flat areas keep their colour.
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HPFilter() {
  static const FilterDecl decl{
      .Stem = "HP",
      .DialogClass = "TFormHP",
      .MenuCaption = "Proste wyostrzenie...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje prostego wyostrzania",
      .HistoryLabel = "Proste wyostrzenie",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Place(Radio("E", "Usuń średnią", "Macierz", true), 0, 0),
              Place(Radio("N", "HP", "Macierz", false), 0, 1),
          },
      .Run = RunMatrixDialog,
      .Summary = "Simple sharpening: the pixel against its four (HP) or eight neighbours.",
      .Description = "Proste wyostrzenie: piksel wzmocniony względem czterech (HP) lub ośmiu (Usuń średnią) "
                     "sąsiadów; płaskie obszary zachowują kolor.",
  };
  return decl;
}

FilterMatrix BuildHPMatrix(MatrixButton selected) {
  FilterMatrix m;
  for (auto& row : m) row = {-1.0f, -1.0f, -1.0f};
  if (selected == MatrixButton::N) {
    m[0][0] = m[0][2] = m[2][0] = m[2][2] = 0.0f;
    m[1][1] = 5.0f;
  } else if (selected == MatrixButton::E) {
    m[1][1] = 9.0f;
  }
  return m;
}

FilterMatrix HPOpeningMatrix() { return BuildHPMatrix(MatrixButton::E); }

}  // namespace rv
