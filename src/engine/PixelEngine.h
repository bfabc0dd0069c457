// The per-pixel engine every filter kernel and tool stroke runs on: the blend,
// effect and store slots, the selection and transparency mix, progress and
// cancellation, and a few utilities of the tools.
#pragma once

#include "engine/Bitmap.h"
#include "engine/BlendModes.h"
#include "engine/Progress.h"

namespace rv {

// Active channel of the channels palette: which bytes a store writes.
enum ActiveChannel : int { kChannelAll = 0, kChannelRed = 1, kChannelGreen = 2, kChannelBlue = 3 };

struct Weights {
  float w;  // selected part
  float u;  // unselected part
};

// Percentage weights are single-precision: value * 0.01 rounded to float.
inline float Percent(int v) { return static_cast<float>(v * 0.01); }

// The mixes, evaluated in double from single-precision weights in the written
// order and truncated toward zero.
inline int MixSelectTransparency(int color, int s, float w, float u, float a, float b) {
  return static_cast<int>((static_cast<double>(color) * w + static_cast<double>(s) * u) * a +
                          static_cast<double>(s) * b);
}
inline int MixDab(int color, int s, int d, float w, float u, float a, float b, float f1, float f2) {
  return static_cast<int>(((static_cast<double>(color) * w + static_cast<double>(s) * u) * a +
                           static_cast<double>(s) * b) * f1 +
                          static_cast<double>(d) * f2);
}

// Writes r, g, b into pixel x of the row restricted to the active channel; the
// other bytes keep what the row holds.
inline void StoreChannels(int channel, Pixel* row, int x, int r, int g, int b) {
  Pixel& p = row[x];
  switch (channel) {
    case kChannelAll:
      p = (p & 0xFF000000u) | (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
          static_cast<Pixel>(b & 0xFF);
      break;
    case kChannelRed: p = (p & 0xFF00FFFFu) | (static_cast<Pixel>(r & 0xFF) << 16); break;
    case kChannelGreen: p = (p & 0xFFFF00FFu) | (static_cast<Pixel>(g & 0xFF) << 8); break;
    case kChannelBlue: p = (p & 0xFFFFFF00u) | static_cast<Pixel>(b & 0xFF); break;
    default: break;
  }
}

struct BrushBox {
  int x0, x1, y0, y1;  // columns x0 <= x < x1, rows y0 <= y < y1
};

class CPixelEngine {
 public:
  int ColorR = 0;
  int ColorG = 0;
  int ColorB = 0;
  ModeProc BlendProc = nullptr;
  ModeProc EffectProc = nullptr;
  int StoreProc = kChannelAll;  // the store routine, by active channel
  bool Cancelled = false;
  // Mode indices behind the two routine slots (fast paths choose by them).
  int BlendIndex = -1;
  int EffectIndex = -1;

  CPixelEngine();

  void SelectBlend(int n);
  void SelectEffect(int n);
  void SelectStore(int activeChannel);
  void BeginRun(int n, int rows, CProgress* progress, int activeChannel);
  static void StepProgress(CProgress* progress);
  static void EndRun(CProgress* progress);

  static Weights SelectionWeight(bool fullRun, const SelectionMask& mask, int previewX, int previewY, int y, int x);

  void Store(Pixel* row, int x, int r, int g, int b) const { StoreChannels(StoreProc, row, x, r, g, b); }

  // The common tail of a filter pixel: blend candidate c over the source pixel,
  // mix by selection (w, u) and transparency (a, b), store.
  void ComposePixel(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a, float b);
  // The same mix without the blend step: c takes the place of the blend result.
  void ComposeWithoutBlend(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a, float b);
  // The common tail of a brush dab pixel; d is the distance from the dab centre,
  // r the radius, f the fall-off percentage.
  void ComposeDabPixel(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a, float b, int d,
                       int r, int f);

  static BrushBox BrushBounds(int width, int height, int x, int y, int r);
  static int BrushFalloff(int d, int r, int hardness);
  // Packed colour of pixel (x, y); with scale, (x, y) are display coordinates
  // of a display wd x hd and are mapped onto the picture first.
  static PackedColor PickColor(const Bitmap& picture, int x, int y, bool scale, int wd, int hd);
};

}  // namespace rv
