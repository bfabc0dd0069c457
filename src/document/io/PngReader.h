// PNG decoding through libpng straight into a 32-bit picture: every colour
// type and bit depth, interlaced or not, transparency laid on white.
#pragma once

#include <string>

#include "document/io/Metadata.h"
#include "engine/Bitmap.h"

namespace rv {

enum class PngRead {
  Done,     // out holds the picture, upright by its EXIF orientation
  NotPng,   // the file does not start with the PNG signature
  Damaged,  // a PNG that cannot be decoded in full (truncated, corrupt, too large)
};

// metadata (when given) receives the file's eXIf, iCCP and XMP text.
PngRead ReadPng(const std::string& path, Bitmap& out, PictureMetadata* metadata = nullptr, std::string* why = nullptr);

}  // namespace rv
