// Edge detection: the pixel weighed +P against its neighbour in the chosen
// direction at -P, so a flat area turns black and a step shows P times its height.
#include "filters/kernels/MatrixSides.h"
#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& EdgesFilter() {
  static const FilterDecl decl{
      .Stem = "Edges",
      .DialogClass = "TFormEdges",
      .MenuCaption = "Wykrywanie krawędzi...",
      .Menu = "Krawędzie",
      .DialogCaption = "Opcje wykrywania krawędzi",
      .HistoryLabel = "Wykrywanie krawędzi",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = detail::CompassButtons({Track("Power", "Moc:", 1, 20, 4)}),
      .Run = RunMatrixDialog,
      .Summary = "Edge detection: the pixel against its neighbour in the chosen direction, times Moc.",
      .Description = "Wykrywanie krawędzi: piksel pomniejszony o sąsiada w wybranym kierunku, razy Moc; płaskie "
                     "obszary czernieją.",
  };
  return decl;
}

FilterMatrix BuildEdgesMatrix(MatrixButton selected, int power) {
  const float p = static_cast<float>(power);
  FilterMatrix m{};
  m[1][1] = p;
  switch (selected) {
    case MatrixButton::N: m[0][1] = -p; break;
    case MatrixButton::NW: m[0][0] = -p; break;
    case MatrixButton::NE: m[0][2] = -p; break;
    case MatrixButton::W: m[1][0] = -p; break;
    case MatrixButton::E: m[1][2] = -p; break;
    case MatrixButton::SW: m[2][0] = -p; break;
    case MatrixButton::S: m[2][1] = -p; break;
    case MatrixButton::SE: m[2][2] = -p; break;
    case MatrixButton::NN: break;
  }
  return m;
}

FilterMatrix EdgesOpeningMatrix(int power) { return BuildEdgesMatrix(MatrixButton::N, power); }

}  // namespace rv
