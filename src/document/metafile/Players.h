// The EMF and WMF record decoders, used by the reader.
#pragma once

#include <QRectF>

#include <cstddef>
#include <cstdint>

#include "document/metafile/ByteView.h"
#include "document/metafile/Dib.h"
#include "document/metafile/GdiPlayer.h"

namespace rv::meta {

struct EmfHeader {
  QRectF bounds;  // device pixels, inclusive
  QRectF frame;   // 0.01 mm
  double pxPerMmX = 96 / 25.4, pxPerMmY = 96 / 25.4;
};

// False when the buffer does not start with a sound EMF header.
bool ReadEmfHeader(ByteView file, EmfHeader& header);
// Plays every record up to EMR_EOF. Throws MetafileError on a broken record chain.
void PlayEmf(ByteView file, GdiPlayer& player, const DibOptions& dib);

struct WmfHeader {
  bool placeable = false;
  QRectF box;  // placeable: bounding box in logical units
  int unitsPerInch = 0;
  std::size_t recordsStart = 0;
  bool hasWindow = false;  // plain files: the first window origin and extent
  QPointF windowOrg{0, 0}, windowExt{0, 0};
};

bool ReadWmfHeader(ByteView file, WmfHeader& header);
void PlayWmf(ByteView file, const WmfHeader& header, GdiPlayer& player, const DibOptions& dib);

// Text in an 8-bit character set of a font (Windows code pages).
QString DecodeAnsi(ByteView bytes, int charSet);

}  // namespace rv::meta
