// Kernels of the neighbourhood filters: the 3 x 3 matrix filters, the window
// statistics (blur, minimum, maximum, median, noise removal) and feathering.
// Each takes the common kernel arguments and then its own values.
#pragma once

#include <array>

#include "filters/kernels/Kernel.h"

namespace rv {

class FilterSettings;

// Rows top to bottom, cells left to right; row 0 weighs the row above the pixel.
using FilterMatrix = std::array<std::array<float, 3>, 3>;

struct RgbF {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

// The weighted sums of the window of radius r around (x, y), clipped to the
// pass (width w, height h). Where the window is cut at the top or left, the
// matrix is counted from the window's first row and column, so it is applied
// shifted. The sums are divided by the weights' sum unless that is exactly 0.
// The matrix has three rows and columns: a radius beyond 1 is taken as 1.
RgbF ConvolvePixel(const Bitmap& src, const FilterMatrix& m, int radius, int y, int x, int w, int h);
void ApplyMatrix(const KernelArgs& a, const FilterMatrix& m, int radius);

// The option buttons of the matrix dialogs, by their control names.
enum class MatrixButton { N, NW, NE, W, E, SW, S, SE, NN };

// Each dialog's BuildMatrix: the matrix its buttons (and "Moc:") give.
FilterMatrix BuildEdgesMatrix(MatrixButton selected, int power);
FilterMatrix BuildHPMatrix(MatrixButton selected);
FilterMatrix BuildEdgesGradientMatrix(MatrixButton selected);
FilterMatrix BuildDomedMatrix(MatrixButton selected);
FilterMatrix BuildLaplaceMatrix(MatrixButton selected);
FilterMatrix BuildContoursMatrix(MatrixButton selected);

// The fixed opening presets: the default button's matrix for edges (with the
// current power), sharpening, gradient edges and emboss, whatever button is
// selected; Laplace and contours follow their buttons. The dialogs no longer
// load them (a preset that differs from the button shown ran a matrix the user
// had not chosen); they always run BuildMatrix.
FilterMatrix EdgesOpeningMatrix(int power);
FilterMatrix HPOpeningMatrix();
FilterMatrix EdgesGradientOpeningMatrix();
FilterMatrix DomedOpeningMatrix();
FilterMatrix LaplaceOpeningMatrix(MatrixButton selected);
FilterMatrix ContoursOpeningMatrix(MatrixButton selected);

// The chosen button of a matrix dialog's settings, and its matrix (by the
// dialog the settings belong to), which previews and full runs use.
MatrixButton SelectedMatrixButton(const FilterSettings& v);
FilterMatrix BuildMatrix(const FilterSettings& v);
FilterMatrix OpeningMatrix(const FilterSettings& v);
// The registry's run of a matrix dialog: ApplyMatrix with the matrix of the
// chosen buttons, or with the context's Matrix where a caller gives one.
void RunMatrixDialog(const KernelArgs& a, const FilterSettings& v);

// Window statistics of the window of radius r around (x, y), clipped to the
// pass w x h, per channel.
Rgb WindowAverage(const Bitmap& src, int x, int y, int r, int w, int h);
Rgb WindowMinimum(const Bitmap& src, int x, int y, int r, int w, int h);
Rgb WindowMaximum(const Bitmap& src, int x, int y, int r, int w, int h);
// The value at position N / 2 + 1 of the sorted window (N its size); a window
// of one or two pixels, where that position does not exist, gives its largest.
Rgb WindowMedian(const Bitmap& src, int x, int y, int r, int w, int h);
// Position of the median taken in a window of n values.
inline int MedianPosition(int n) { return n / 2 + 1 < n ? n / 2 + 1 : n - 1; }

void ApplyBlurFilter(const KernelArgs& a, int radius);
void ApplyMin(const KernelArgs& a, int radius);
void ApplyMax(const KernelArgs& a, int radius);
void ApplyMedian(const KernelArgs& a, int radius);
void ApplyDeleteNoise(const KernelArgs& a, int canalR, int canalG, int canalB);

struct Neighbourhood {
  bool Found = false;
  Rgb Average;
  long long Nearest = 0;
};
// The selected pixels (mask not 0) of the window of half size d around (x, y):
// their plain average colour and the truncated distance of the nearest one,
// which starts at d * d. The mask is read where the run reads it.
Neighbourhood SelectionNeighbourhood(const Bitmap& src, int x, int y, int d, int w, int h, const MaskView& mask);
void ApplyFeather(const KernelArgs& a, int d);

}  // namespace rv
