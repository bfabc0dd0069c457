// PNG files through libpng: 8-bit RGB, 96 dpi, with the picture's metadata.
#pragma once

#include <string>

#include "document/io/Metadata.h"
#include "engine/Bitmap.h"

namespace rv {

// Writes the picture's 24 bits at zlib's default level; metadata (when given)
// is stored as it is, as eXIf, iCCP and an XMP iTXt chunk. False when the
// file cannot be written.
bool WritePng(const Bitmap& picture, const std::string& path, const PictureMetadata* metadata = nullptr,
              std::string* why = nullptr);

}  // namespace rv
