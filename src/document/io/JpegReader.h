// JPEG decoding through libjpeg straight into a 32-bit picture, upright by
// its EXIF orientation.
#pragma once

#include <string>

#include "document/io/Metadata.h"
#include "engine/Bitmap.h"

namespace rv {

enum class JpegRead {
  Done,        // out holds the picture
  NotJpeg,     // the file does not start as a JPEG, or is CMYK (left to the general decoder)
  Damaged,     // a JPEG that cannot be decoded in full (truncated, corrupt, too large)
};

// metadata (when given) receives the file's EXIF, ICC profile and XMP, also
// for a CMYK file that is left to the general decoder.
JpegRead ReadJpeg(const std::string& path, Bitmap& out, std::string* why = nullptr,
                  PictureMetadata* metadata = nullptr);

}  // namespace rv
