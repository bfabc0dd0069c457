// Pictures as their EXIF orientation tag says they are to be seen: the
// stored rows turned and mirrored while they are decoded.
#pragma once

#include <vector>

#include "engine/Bitmap.h"

namespace rv {

// 1 (as stored), 2 (mirrored left to right), 3 (turned 180 degrees), 4
// (mirrored top to bottom), 5 (mirrored along the main diagonal), 6 (turned
// 90 degrees clockwise), 7 (mirrored along the other diagonal), 8 (turned 90
// degrees anticlockwise). Any other value counts as 1.
int NormalOrientation(int tag);
// Orientations 5 to 8 swap width and height.
bool SwapsSides(int orientation);

// Receives the stored rows top to bottom and builds the upright picture, so
// that a decoder turns its picture without a second full copy.
class OrientedRows {
 public:
  static constexpr int kBand = 16;

  // Allocates the upright picture; throws std::bad_alloc or std::length_error.
  OrientedRows(int storedWidth, int storedHeight, int orientation);

  // Where stored row y goes. Rows are asked for in order; at most kBand rows
  // past the last finished one may be asked for before RowsDone.
  Pixel* Row(int y);
  // Stored rows up to y are written.
  void RowsDone(int y);
  // The upright picture, once every row is done.
  Bitmap Take() { return std::move(upright_); }

 private:
  void Flush(int first, int last);

  int width_, height_, orientation_;
  int done_ = -1;
  Bitmap upright_;
  std::vector<Pixel> band_;
};

// The stored picture turned upright.
Bitmap OrientPicture(Bitmap stored, int orientation);

}  // namespace rv
