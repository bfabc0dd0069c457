// JPEG files through libjpeg.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// Writes a colour, sequential JPEG from the picture's 24 bits with the default
// compression parameters and jpeg_set_quality(quality, baseline tables).
// quality is clamped to 0..100. False when the file cannot be written.
bool WriteJpeg(const Bitmap& picture, const std::string& path, int quality);

}  // namespace rv
