// Rows of window statistics computed incrementally: the same integers as the
// per-pixel definitions (WindowAverage, WindowMinimum, WindowMaximum,
// WindowMedian), at a cost that does not grow with the radius (the median's
// grows with the window's side, not its area). Fill(y, out) must be called for
// y = 0, 1, 2, ... in order; out receives the statistic of each pixel of row y
// packed as a pixel (the fourth byte is undefined).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Bitmap.h"

namespace rv {

// Per-channel window averages from running column sums and row prefix sums.
class AverageRows {
 public:
  AverageRows(const Bitmap& src, int radius, int w, int h);
  void Fill(int y, Pixel* out);

 private:
  void AddRow(int y, int sign);

  const Bitmap& src_;
  int w_, h_, rh_, rv_;
  int top_ = 0, bottom_ = -1;  // rows held in the column sums
  std::vector<std::int64_t> col_[3];
  std::vector<std::int64_t> prefix_[3];
};

// Per-channel window extremes by the van Herk / Gil-Werman scheme: block-wise
// prefix and suffix extremes, vertically over rows and then along the row.
class ExtremeRows {
 public:
  ExtremeRows(const Bitmap& src, int radius, int w, int h, bool maximum);
  void Fill(int y, Pixel* out);

 private:
  const std::uint8_t* PaddedRow(int p) const;
  void Horizontal(const std::uint8_t* v, Pixel* out);

  const Bitmap& src_;
  int w_, h_, rh_, rv_;
  bool max_;
  std::size_t bytes_;
  std::vector<std::uint8_t> identity_, suffix_, prefix_, vert_;
  std::vector<std::uint8_t> pad_, g_, s_;
  int block_ = -1;
  int prefixEnd_ = -1;
};

// Per-channel window medians (the value at MedianPosition) from a histogram
// per channel slid along the row, with the rank kept by a moving pointer.
class MedianRows {
 public:
  MedianRows(const Bitmap& src, int radius, int w, int h);
  void Fill(int y, Pixel* out);

 private:
  const Bitmap& src_;
  int w_, h_, rh_, rv_;
  std::vector<const Pixel*> rows_;
};

}  // namespace rv
