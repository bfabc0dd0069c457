// JPEG decoding through libjpeg straight into a 32-bit picture.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

enum class JpegRead {
  Done,        // out holds the picture
  NotJpeg,     // the file does not start as a JPEG
  Damaged,     // a JPEG that cannot be decoded in full (truncated, corrupt, too large)
};

JpegRead ReadJpeg(const std::string& path, Bitmap& out, std::string* why = nullptr);

}  // namespace rv
