#include "engine/PixelEngine.h"

#include <algorithm>

namespace rv {

CPixelEngine::CPixelEngine() {
  SelectBlend(0);
  SelectEffect(0);
}

void CPixelEngine::SelectBlend(int n) {
  if (ModeProc p = BlendModeProc(n)) {
    BlendProc = p;
    BlendIndex = n;
  }
}

void CPixelEngine::SelectEffect(int n) {
  if (ModeProc p = BlendModeProc(n)) {
    EffectProc = p;
    EffectIndex = n;
  }
}

void CPixelEngine::SelectStore(int activeChannel) {
  if (activeChannel >= kChannelAll && activeChannel <= kChannelBlue) StoreProc = activeChannel;
}

void CPixelEngine::BeginRun(int n, int rows, CProgress* progress, int activeChannel) {
  SelectBlend(n);
  SelectStore(activeChannel);
  if (progress) progress->SetMaximum(rows);
}

void CPixelEngine::StepProgress(CProgress* progress) {
  if (!progress) return;
  progress->ProcessEvents();
  progress->SetPosition(progress->Position() + 1);
}

void CPixelEngine::EndRun(CProgress* progress) {
  if (progress) progress->SetPosition(0);
}

Weights CPixelEngine::SelectionWeight(bool fullRun, const SelectionMask& mask, int previewX, int previewY, int y,
                                      int x) {
  const int m = fullRun ? mask.At(x, y) : mask.At(previewX, previewY);
  return {Percent(m), Percent(100 - m)};
}

void CPixelEngine::ComposePixel(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a,
                                float b) {
  const Rgb blended = BlendProc(c, dstRow, srcRow, x, 100, 100);
  ColorR = blended.r;
  ColorG = blended.g;
  ColorB = blended.b;
  ComposeWithoutBlend({ColorR, ColorG, ColorB}, dstRow, srcRow, x, w, u, a, b);
}

void CPixelEngine::ComposeWithoutBlend(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a,
                                       float b) {
  const Pixel s = srcRow[x];
  if (w == 0.0f) {
    // An unselected pixel keeps its value. The mix alone would not always give
    // it back: A + B falls a little short of 1 in single precision for a third
    // of the transparencies, which would darken unselected pixels by a level.
    ColorR = PixelRed(s);
    ColorG = PixelGreen(s);
    ColorB = PixelBlue(s);
  } else {
    const int fb = MixSelectTransparency(c.b, PixelBlue(s), w, u, a, b);
    const int fg = MixSelectTransparency(c.g, PixelGreen(s), w, u, a, b);
    const int fr = MixSelectTransparency(c.r, PixelRed(s), w, u, a, b);
    ColorR = fr;
    ColorG = fg;
    ColorB = fb;
  }
  Store(dstRow, x, ColorR, ColorG, ColorB);
}

void CPixelEngine::ComposeDabPixel(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a,
                                   float b, int d, int r, int f) {
  const Rgb blended = BlendProc(c, dstRow, srcRow, x, d, r);
  ColorR = blended.r;
  ColorG = blended.g;
  ColorB = blended.b;
  const float f1 = Percent(100 - f);
  const float f2 = Percent(f);
  const Pixel s = srcRow[x];
  const Pixel dp = dstRow[x];
  if (w == 0.0f) {
    // Unselected: the stroke leaves the pixel as it is (see ComposeWithoutBlend).
    ColorR = PixelRed(dp);
    ColorG = PixelGreen(dp);
    ColorB = PixelBlue(dp);
    Store(dstRow, x, ColorR, ColorG, ColorB);
    return;
  }
  const int fb = MixDab(ColorB, PixelBlue(s), PixelBlue(dp), w, u, a, b, f1, f2);
  const int fg = MixDab(ColorG, PixelGreen(s), PixelGreen(dp), w, u, a, b, f1, f2);
  const int fr = MixDab(ColorR, PixelRed(s), PixelRed(dp), w, u, a, b, f1, f2);
  ColorR = fr;
  ColorG = fg;
  ColorB = fb;
  Store(dstRow, x, ColorR, ColorG, ColorB);
}

BrushBox CPixelEngine::BrushBounds(int width, int height, int x, int y, int r) {
  return {std::max(0, x - r), std::min(width, x + r), std::max(0, y - r), std::min(height, y + r)};
}

int CPixelEngine::BrushFalloff(int d, int r, int hardness) {
  if (r < 1) r = 1;
  return std::clamp(d * 100 / r - hardness, 0, 100);
}

PackedColor CPixelEngine::PickColor(const Bitmap& picture, int x, int y, bool scale, int wd, int hd) {
  if (picture.Empty()) return 0;
  if (scale && wd > 0 && hd > 0) {
    x = static_cast<int>(static_cast<long long>(picture.Width()) * x / wd);
    y = static_cast<int>(static_cast<long long>(picture.Height()) * y / hd);
  }
  x = std::clamp(x, 0, picture.Width() - 1);
  y = std::clamp(y, 0, picture.Height() - 1);
  return PixelToPacked(picture.At(x, y));
}

}  // namespace rv
