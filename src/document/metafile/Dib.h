// Device-independent bitmaps as metafiles embed them: a BITMAPINFO (or the old
// BITMAPCOREHEADER) with its colour table, and the pixel rows.
#pragma once

#include <QImage>

#include <cstdint>

#include "document/metafile/ByteView.h"

namespace rv::meta {

struct DibOptions {
  bool paletteIndices = false;   // DIB_PAL_COLORS: the colour table holds 16-bit indices
  bool keepAlpha = false;        // 32-bit pixels carry alpha (AlphaBlend with a source alpha)
  std::int64_t maxPixels = 0;    // refuse bitmaps with more pixels
};

// Decodes the bitmap whose header and colour table are in info and whose rows
// are in bits; rows runs the image top to bottom. A null image when the
// bitmap is damaged, unsupported or too large.
QImage DecodeDib(ByteView info, ByteView bits, const DibOptions& options);

// The same for a packed DIB: header, colour table and rows in one block.
QImage DecodePackedDib(ByteView packed, const DibOptions& options);

}  // namespace rv::meta
