// Writing a picture as a metafile: one device-independent bitmap at (0, 0).
// Plain C++, no Qt: the writer needs nothing but the pixels.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "engine/Bitmap.h"

namespace rv {

// An enhanced metafile whose frame is the picture's size at 96 dpi, holding
// the picture as a 24-bit DIB drawn with StretchDIBits. False on a write error.
bool WriteEmfStream(const Bitmap& picture, std::ostream& out);

// A placeable Windows metafile (22-byte header with its checksum, 96 units per
// inch) drawing the picture with StretchDIB. False when the picture is wider
// or taller than 32767 pixels (the format's limit) or on a write error.
bool WriteWmfStream(const Bitmap& picture, std::ostream& out);

// True for a name ending in ".wmf" in any letter case.
bool IsWmfName(const std::string& path);

// WriteWmfStream for IsWmfName(path), otherwise WriteEmfStream, into path.
bool WriteMetafile(const Bitmap& picture, const std::string& path);

}  // namespace rv
