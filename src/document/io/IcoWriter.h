// Icon files: one 32-bit image.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// An icon directory entry holds the size in one byte each (0 means 256).
constexpr int kMaxIconSize = 256;
constexpr bool IconSizeAllowed(int width, int height) {
  return width >= 1 && height >= 1 && width <= kMaxIconSize && height <= kMaxIconSize;
}

// Writes an .ico holding one opaque 32-bit bitmap image (with its all-clear
// AND mask) of the picture. False when the size is not allowed or the file
// cannot be written.
bool WriteIco(const Bitmap& picture, const std::string& path);

}  // namespace rv
