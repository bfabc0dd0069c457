// Reading Windows metafiles (EMF, and WMF placeable or plain): the records are
// checked and played onto a white 32-bit picture of the metafile's own size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/Bitmap.h"

namespace rv {

class MetafileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class MetafileKind { None, Emf, Wmf };

// Recognises a metafile by its first bytes.
MetafileKind DetectMetafile(const std::uint8_t* data, std::size_t size);

struct MetafileLimits {
  std::int64_t maxPixels = kMaxPixels;  // also bounds every embedded bitmap
  int maxSide = 16384;
};

struct MetafileSize {
  int width = 0;
  int height = 0;
};

// The picture's pixel size: EMF from its frame (0.01 mm) at 96 dpi, placeable
// WMF from its bounding box and units per inch, plain WMF from its window
// extent. Throws MetafileError for a damaged header or an unreasonable size.
MetafileSize MetafilePixelSize(const std::uint8_t* data, std::size_t size, const MetafileLimits& limits = {});

// Plays the metafile onto a white picture of MetafilePixelSize. Records that
// fail their checks are skipped; a broken record chain refuses the file.
// Throws MetafileError.
Bitmap RenderMetafile(const std::uint8_t* data, std::size_t size, const MetafileLimits& limits = {});

// Reads the file and renders it. Throws MetafileError.
Bitmap LoadMetafile(const std::string& path, const MetafileLimits& limits = {});

}  // namespace rv
