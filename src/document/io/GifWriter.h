// GIF files through giflib.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// GIF sizes are 16-bit.
constexpr int kMaxGifSize = 65535;

// Writes a single-image, non-interlaced GIF with a global colour table: the
// picture reduced to at most 256 colours as for an 8-bit bitmap (see
// ColorReduce.h). False when the picture is larger than kMaxGifSize or the
// file cannot be written.
bool WriteGif(const Bitmap& picture, const std::string& path);

}  // namespace rv
