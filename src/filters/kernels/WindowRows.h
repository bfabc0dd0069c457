// Rows of window statistics computed incrementally: the same integers as the
// per-pixel definitions (WindowAverage, WindowMinimum, WindowMaximum,
// WindowMedian), at a cost per pixel that does not grow with the radius, but
// for the median's occasional refresh of 16 fine bins over the window's
// columns. Fill(y, out) must be called for y = 0, 1, 2, ... in order; out
// receives the statistic of each pixel of row y packed as a pixel (the fourth
// byte is undefined).
#pragma once

#include <cstdint>
#include <utility>
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

// Per-channel window medians (the value at MedianPosition) after Perreault and
// Hébert: a histogram per column over the window's rows, updated by one row
// in and one out; the window's coarse histogram (16 bins of 16 levels) slides
// by adding and removing whole columns, and the fine bins of a coarse bin are
// brought up to date only when the median falls into it. The rows are
// computed in bands, each band in strips narrow enough for the column
// histograms to stay in the cache.
class MedianRows {
 public:
  // Counts are 16-bit: the window must hold at most 65535 pixels.
  static bool Supports(int radius, int w, int h);
  MedianRows(const Bitmap& src, int radius, int w, int h);
  void Fill(int y, Pixel* out);

 private:
  void ComputeBand(int y0);
  void AddRow(int y, int c, int sign);
  void Slide(int y, int c, int rows);
  template <bool Sse>
  void SlideWith(int y, int c, int rows);

  const Bitmap& src_;
  int w_, h_, rh_, rv_;
  int bandStart_ = 0, bandEnd_ = 0;
  std::vector<Pixel> band_;
  // The strip being computed: columns [first_, first_ + cols_) of the histograms,
  // output columns [xs_, xe_).
  int first_ = 0, cols_ = 0, xs_ = 0, xe_ = 0;
  std::vector<std::uint16_t> fine_;    // 16 coarse bins x columns x 16 levels
  std::vector<std::uint16_t> coarse_;  // columns x 16
};

// Medians of windows of radius 1 or 2 (9 or 25 pixels): inside the picture a
// selection network of min / max steps for the median's position, applied to
// many pixels at once; at the clipped borders the window's values are selected
// directly.
class SmallMedianRows {
 public:
  static bool Supports(int radius, int w, int h);
  SmallMedianRows(const Bitmap& src, int radius, int w, int h);
  void Fill(int y, Pixel* out);

 private:
  Pixel Border(int x, int y) const;

  const Bitmap& src_;
  int w_, h_, r_, side_;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> network_;
  int lanes_ = 0;
  std::vector<std::uint8_t> planes_;  // side rows x 3 channels x w, as a ring
  int loaded_ = -1;
  std::vector<std::uint8_t> work_;
};

}  // namespace rv
