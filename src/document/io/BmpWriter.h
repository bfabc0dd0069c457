// Windows bitmap files written by the program itself.
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// Writes a 24-bit uncompressed bottom-up BMP. False when the file cannot be written.
bool WriteBmp24(const Bitmap& picture, const std::string& path);

}  // namespace rv
