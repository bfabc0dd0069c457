// The dabs of the fourteen brush tools. Every dab walks the pixels of a disc
// around its centre (DabSkeleton), weights each by the brush falloff, the
// selection and the transparency, and writes through ComposeDabPixel; the
// tools differ in the candidate colour of a pixel and a few rules of their own.
//
// A dab reads the backup picture (the state before the stroke) and writes the
// working picture; centres and source points are picture coordinates (the
// document window maps the pointer with DisplayToPicture first).
#pragma once

#include <cmath>
#include <string_view>

#include "engine/Bitmap.h"
#include "engine/PixelEngine.h"
#include "tools/core/BrushOptions.h"

namespace rv {

// What a dab reports. Anything but Done comes with a message box and means the
// dab changed nothing.
enum class DabStatus {
  Done,
  NoHistory,              // "Nie ma historii do cofnięcia"
  HistoryOfOtherPicture,  // "Poprzednia historia nie odnosi się do tego obrazka"
  NoStampSource,          // "Wybierz źródło klikając prawym przyciskiem myszy"
};

// The message box text of a status (UTF-8), nullptr for Done.
const char* DabMessage(DabStatus s);

struct DabPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const DabPoint&, const DabPoint&) = default;
};

// The pictures and palette state every dab works with.
struct DabTarget {
  CPixelEngine& Engine;   // ToolEngine
  Bitmap& Work;           // destination
  const Bitmap& Backup;   // source S: the picture before the stroke
  // Degree of selection per pixel; a mask that does not cover the picture
  // counts as everything selected.
  const SelectionMask& Mask;
  int ActiveChannel = kChannelAll;
  PackedColor PrimaryColor = 0;  // T, the palette's "Kolor główny"
  // Compute candidates the plain per-pixel way only (the faster ways must equal it).
  bool PlainPath = false;
};

// Where the history brush takes its picture from, filled from the history
// list: the current entry's index and file name, and the entry before it.
struct HistorySources {
  int CurrentIndex = -1;  // -1 when the list is empty
  std::string_view CurrentFileName;
  std::string_view PreviousFileName;  // of entry CurrentIndex - 1
  const Bitmap* Previous = nullptr;   // picture of entry CurrentIndex - 1
  const Bitmap* Snapshot = nullptr;   // the picture as it entered the document
};

DabStatus DabBrush(const DabTarget& t, DabPoint centre, const BrushOptions& o);
// Draws one number from rv::Random() for every pixel of the disc, row by row.
DabStatus DabSpray(const DabTarget& t, DabPoint centre, const SprayOptions& o);
DabStatus DabEnlight(const DabTarget& t, DabPoint centre, const EnlightOptions& o);
DabStatus DabDarker(const DabTarget& t, DabPoint centre, const DarkerOptions& o);
DabStatus DabBlur(const DabTarget& t, DabPoint centre, const BlurOptions& o);
DabStatus DabGray(const DabTarget& t, DabPoint centre, const GrayOptions& o);
// sourceSet false: NoStampSource and nothing painted.
DabStatus DabStamp(const DabTarget& t, DabPoint centre, const StampOptions& o, bool sourceSet, DabPoint source);
DabStatus DabSharp(const DabTarget& t, DabPoint centre, const SharpOptions& o);
DabStatus DabRedEye(const DabTarget& t, DabPoint centre, const RedEyeOptions& o);
DabStatus DabCorrectionBrush(const DabTarget& t, DabPoint centre, const CorrectionBrushOptions& o);
// Pixels outside a source picture smaller than the working one are left alone.
DabStatus DabBrushHistory(const DabTarget& t, DabPoint centre, const BrushHistoryOptions& o,
                          const HistorySources& h);
DabStatus DabBucket(const DabTarget& t, DabPoint centre, const BucketOptions& o);
DabStatus DabColorBrush(const DabTarget& t, DabPoint centre, const ColorBrushOptions& o);
DabStatus DabColorChange(const DabTarget& t, DabPoint centre, const ColorChangeOptions& o);

// Walks the disc of radius r around (cx, cy) within box, row by row:
// row(py) at the start of every row, then pixel(px, py, d) for each pixel
// whose distance from the centre, truncated, is d <= r.
template <class Row, class Pix>
inline void WalkDisc(const BrushBox& box, int cx, int cy, int r, Row row, Pix pixel) {
  for (int py = box.y0; py < box.y1; ++py) {
    row(py);
    const int dy = py - cy;
    for (int px = box.x0; px < box.x1; ++px) {
      const int dx = px - cx;
      const int d = static_cast<int>(std::sqrt(static_cast<double>(dy * dy + dx * dx)));
      if (d > r) continue;
      pixel(px, py, d);
    }
  }
}

// The values of all fourteen option windows, for calling a dab by tool number.
struct BrushToolSettings {
  SprayOptions Spray;
  EnlightOptions Enlight;
  DarkerOptions Darker;
  BlurOptions Blur;
  GrayOptions Gray;
  StampOptions Stamp;
  SharpOptions Sharp;
  RedEyeOptions RedEye;
  CorrectionBrushOptions CorrectionBrush;
  BrushHistoryOptions BrushHistory;
  BrushOptions Brush;
  BucketOptions Bucket;
  ColorBrushOptions ColorBrush;
  ColorChangeOptions ColorChange;
};

// The clone stamp's source (already in picture coordinates) and the history
// brush's sources.
struct DabSources {
  bool StampSourceSet = false;
  DabPoint StampSource;
  HistorySources History;
};

// The dab of tool toolId; a number that is not a brush tool does nothing.
DabStatus ApplyDab(int toolId, const DabTarget& t, DabPoint centre, const BrushToolSettings& s,
                   const DabSources& src);
// Wielkosc of the tool's window (the radius of its dabs and outline); 0 for other tools.
int BrushSize(int toolId, const BrushToolSettings& s);

// The dab tail with the two steps the grey brush and the bucket insert: after
// the blend (the blend result in ColorR, ColorG, ColorB) and between the mix
// and the store. With hooks that do nothing it is ComposeDabPixel.
template <class AfterBlend, class BeforeStore>
inline void ComposeDabPixelWith(CPixelEngine& e, Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w,
                                float u, float a, float b, int d, int r, int f, AfterBlend afterBlend,
                                BeforeStore beforeStore) {
  // "Zwykły" gives the top colour as it is.
  const Rgb blended = e.BlendIndex == 0 ? c : e.BlendProc(c, dstRow, srcRow, x, d, r);
  e.ColorR = blended.r;
  e.ColorG = blended.g;
  e.ColorB = blended.b;
  afterBlend(e);
  const Pixel s = srcRow[x];
  const Pixel dp = dstRow[x];
  if (w == 0.0f) {
    // Unselected: the stroke leaves the pixel as it is.
    e.ColorR = PixelRed(dp);
    e.ColorG = PixelGreen(dp);
    e.ColorB = PixelBlue(dp);
    e.Store(dstRow, x, e.ColorR, e.ColorG, e.ColorB);
    return;
  }
  const float f1 = Percent(100 - f);
  const float f2 = Percent(f);
  const int fb = MixDab(e.ColorB, PixelBlue(s), PixelBlue(dp), w, u, a, b, f1, f2);
  const int fg = MixDab(e.ColorG, PixelGreen(s), PixelGreen(dp), w, u, a, b, f1, f2);
  const int fr = MixDab(e.ColorR, PixelRed(s), PixelRed(dp), w, u, a, b, f1, f2);
  e.ColorR = fr;
  e.ColorG = fg;
  e.ColorB = fb;
  beforeStore(e, s);
  e.Store(dstRow, x, e.ColorR, e.ColorG, e.ColorB);
}

// The bucket's fade of the mixed value v toward the source channel sc, by the
// summed difference diff of the source pixel from the clicked colour. A
// tolerance of 0 keeps the full fill for an exact match and nothing else.
inline int BucketFade(int v, int sc, int diff, int tolerant) {
  int q;
  if (tolerant <= 0)
    q = diff == 0 ? 0 : 100;
  else
    q = diff * 100 / tolerant;
  if (q > 100) q = 100;
  return v * (100 - q) / 100 + sc * q / 100;
}

}  // namespace rv
