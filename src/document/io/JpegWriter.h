// JPEG files through libjpeg.
#pragma once

#include <string>

#include "document/io/Metadata.h"
#include "engine/Bitmap.h"

namespace rv {

// Writes a colour, sequential JPEG from the picture's 24 bits with the default
// compression parameters and jpeg_set_quality(quality, baseline tables).
// quality is clamped to 0..100. metadata (when given) is stored as it is:
// EXIF (then without JFIF) and XMP in APP1 segments, each left out when it is
// larger than one segment holds, the ICC profile in APP2 segments. False when
// the file cannot be written.
bool WriteJpeg(const Bitmap& picture, const std::string& path, int quality, const PictureMetadata* metadata = nullptr);

}  // namespace rv
