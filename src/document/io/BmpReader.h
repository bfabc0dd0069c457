// A direct reader for the plain uncompressed 24- and 32-bit bitmaps that
// other programs and the batch command exchange; other bitmaps go to the
// general decoder.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

enum class BmpRead {
  Done,        // out holds the picture
  NotHandled,  // not a plain 24/32-bit BMP: let the general decoder decide
  Truncated,   // an uncompressed bitmap whose pixel data is cut short
};

BmpRead ReadPlainBmp(const std::string& path, Bitmap& out);

}  // namespace rv
