// Reducing a picture to a palette of at most 256 colours, for 8-bit bitmaps
// and GIF files.
//
// The palette comes from the picture by median cut: starting from one box
// around all of the picture's colours (each weighted by how many pixels carry
// it), the box with the largest squared error is split at the pixel median of
// its channel of largest variance, until there are as many boxes as colours
// allowed or no box holds two different colours. Each box gives the mean of
// its pixels. A picture with no more distinct colours than allowed keeps them
// exactly. Every pixel is then stored as its nearest palette entry (Euclidean
// distance in RGB, the lowest index on a tie); there is no dithering, so a
// flat area stays flat.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Bitmap.h"

namespace rv {

struct IndexedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<Pixel> Palette;           // 1..256 colours, fourth byte 0xFF
  std::vector<std::uint8_t> Indices;    // Width * Height, rows top to bottom
  std::uint8_t At(int x, int y) const {
    return Indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
};

// The median-cut palette of the picture, at most maxColors (1..256) entries.
std::vector<Pixel> MedianCutPalette(const Bitmap& picture, int maxColors = 256);

// Index of the palette entry nearest to the colour (lowest index on a tie).
// Exact: a grid of cells over the colour cube keeps, per cell, only the entries
// that can be nearest to some colour inside it.
class NearestColor {
 public:
  explicit NearestColor(std::vector<Pixel> palette);
  std::uint8_t Find(Pixel p);
  const std::vector<Pixel>& Palette() const { return palette_; }

 private:
  void BuildCell(int cell);
  std::vector<Pixel> palette_;
  std::vector<int> cellStart_;  // -1 until built; else offset into candidates_
  std::vector<std::uint16_t> cellCount_;
  std::vector<std::uint8_t> candidates_;
};

// The picture as palette indices, the palette from MedianCutPalette.
IndexedPicture ReduceColors(const Bitmap& picture, int maxColors = 256);

}  // namespace rv
