#include "document/io/PixelRows.h"

namespace rv {

void ForEachRowBand(int height, const std::function<void(int first, int end)>& body) {
  if (height > 0) body(0, height);
}

void OpaqueRow(const Pixel* from, Pixel* to, int width) {
  for (int x = 0; x < width; ++x) to[x] = from[x] | 0xFF000000u;
}

namespace {
// c * a / 255 rounded, the way Qt premultiplies, so that a picture laid on
// white here equals one that went through a premultiplied QImage.
inline std::uint32_t MulDiv255(std::uint32_t c, std::uint32_t a) {
  const std::uint32_t t = c * a;
  return (t + (t >> 8) + 0x80) >> 8;
}
}  // namespace

void PremultipliedRowOnWhite(const std::uint32_t* from, Pixel* to, int width) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = from[x];
    const int under = 255 - static_cast<int>(p >> 24);
    to[x] = MakePixel(static_cast<int>((p >> 16) & 0xFF) + under, static_cast<int>((p >> 8) & 0xFF) + under,
                      static_cast<int>(p & 0xFF) + under);
  }
}

void StraightAlphaRowOnWhite(Pixel* row, int width) {
  for (int x = 0; x < width; ++x) {
    const Pixel p = row[x];
    const std::uint32_t a = p >> 24;
    if (a == 255) continue;
    const std::uint32_t under = 255 - a;
    row[x] = 0xFF000000u | ((MulDiv255((p >> 16) & 0xFF, a) + under) << 16) |
             ((MulDiv255((p >> 8) & 0xFF, a) + under) << 8) | (MulDiv255(p & 0xFF, a) + under);
  }
}

void StraightAlphaOnWhite(Bitmap& picture) {
  const int w = picture.Width();
  ForEachRowBand(picture.Height(), [&](int first, int end) {
    for (int y = first; y < end; ++y) StraightAlphaRowOnWhite(picture.Row(y), w);
  });
}

}  // namespace rv
