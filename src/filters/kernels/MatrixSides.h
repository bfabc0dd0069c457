// The cells on one side of a 3 x 3 matrix, shared by the gradient and emboss
// matrices: the whole row or column for a straight direction, the corner and
// its two neighbours on the border for a diagonal.
#pragma once

#include <array>
#include <utility>

#include <vector>

#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv::detail {

using Cells = std::array<std::pair<int, int>, 3>;

inline bool SideCells(MatrixButton b, Cells& side, std::array<std::pair<int, int>, 2>& across) {
  switch (b) {
    case MatrixButton::N: side = {{{0, 0}, {0, 1}, {0, 2}}}; across = {{{1, 0}, {1, 2}}}; return true;
    case MatrixButton::S: side = {{{2, 0}, {2, 1}, {2, 2}}}; across = {{{1, 0}, {1, 2}}}; return true;
    case MatrixButton::W: side = {{{0, 0}, {1, 0}, {2, 0}}}; across = {{{0, 1}, {2, 1}}}; return true;
    case MatrixButton::E: side = {{{0, 2}, {1, 2}, {2, 2}}}; across = {{{0, 1}, {2, 1}}}; return true;
    case MatrixButton::NW: side = {{{0, 0}, {0, 1}, {1, 0}}}; across = {{{0, 2}, {2, 0}}}; return true;
    case MatrixButton::NE: side = {{{0, 2}, {0, 1}, {1, 2}}}; across = {{{0, 0}, {2, 2}}}; return true;
    case MatrixButton::SW: side = {{{2, 0}, {1, 0}, {2, 1}}}; across = {{{0, 0}, {2, 2}}}; return true;
    case MatrixButton::SE: side = {{{2, 2}, {1, 2}, {2, 1}}}; across = {{{0, 2}, {2, 0}}}; return true;
    case MatrixButton::NN: return false;
  }
  return false;
}

// The eight direction buttons of the edge, gradient and emboss dialogs, after
// the dialog's other controls, set out as a compass; N is chosen at first.
inline std::vector<ControlDecl> CompassButtons(std::vector<ControlDecl> before = {}) {
  struct Point {
    const char* name;
    int row, column;
  };
  for (const Point& p : {Point{"N", 0, 1}, Point{"NW", 0, 0}, Point{"W", 1, 0}, Point{"SW", 2, 0}, Point{"S", 2, 1},
                         Point{"NE", 0, 2}, Point{"E", 1, 2}, Point{"SE", 2, 2}})
    before.push_back(Place(Radio(p.name, "", "Kierunek", p.row == 0 && p.column == 1), p.row, p.column));
  return before;
}

inline float& Cell(FilterMatrix& m, std::pair<int, int> c) {
  return m[static_cast<std::size_t>(c.first)][static_cast<std::size_t>(c.second)];
}

}  // namespace rv::detail
