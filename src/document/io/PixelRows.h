// The conversions every reader ends with: decoded rows into our 32-bit rows,
// transparency laid on white. One place for all readers, so that the walk
// over a whole picture can be shared out among threads here alone.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/Bitmap.h"

namespace rv {

// Calls body(first, end) over bands of rows covering 0..height - 1, each row
// once; bands may run at the same time, so body must touch only its rows.
void ForEachRowBand(int height, const std::function<void(int first, int end)>& body);

// Blue, green, red and any fourth byte: the fourth byte becomes 0xFF.
void OpaqueRow(const Pixel* from, Pixel* to, int width);
// Premultiplied 0xAARRGGBB (QImage's ARGB32_Premultiplied) laid on white.
void PremultipliedRowOnWhite(const std::uint32_t* from, Pixel* to, int width);
// Blue, green, red, alpha not premultiplied, laid on white in place: each
// channel c becomes c * alpha / 255 (rounded) + 255 - alpha.
void StraightAlphaRowOnWhite(Pixel* row, int width);
// A whole picture of straight-alpha rows laid on white.
void StraightAlphaOnWhite(Bitmap& picture);

}  // namespace rv
