#include "tools/core/ShapeCompose.h"

#include <algorithm>
#include <cstdint>

#include "filters/kernels/FastTail.h"

namespace rv {

namespace {

ShapeRegion Limited(int width, int height, ShapeRegion r) {
  r.x0 = std::clamp(r.x0, 0, width);
  r.x1 = std::clamp(r.x1, 0, width);
  r.y0 = std::clamp(r.y0, 0, height);
  r.y1 = std::clamp(r.y1, 0, height);
  return r;
}

constexpr Pixel kColourBits = 0x00FFFFFFu;

Rgb ToRgb(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

}  // namespace

ShapeRegion ShapeScanRegion(int width, int height, int xa, int ya, int xb, int yb, int size) {
  const long long s = size;
  auto lim = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT32_MIN / 2, INT32_MAX / 2)); };
  ShapeRegion r{lim(std::min(xa, xb) - s), lim(std::max(xa, xb) + s), lim(std::min(ya, yb) - s),
                lim(std::max(ya, yb) + s)};
  return Limited(width, height, r);
}

ShapeRegion WholePicture(int width, int height) { return ShapeRegion{0, width, 0, height}; }

ShapeRegion FramingRegion(int width, int height, int xa, int ya, int xb, int yb) {
  return Limited(width, height, ShapeRegion{std::min(xa, xb), std::max(xa, xb), std::min(ya, yb), std::max(ya, yb)});
}

void ComposeShapeReference(CPixelEngine& engine, Bitmap& work, const Bitmap& backup, const Bitmap& scratch,
                           const SelectionMask& mask, const ShapeComposeArgs& args) {
  engine.SelectBlend(args.Tryb);
  engine.SelectStore(args.Channel);
  const float a = Percent(args.Transparent);
  const float b = Percent(100 - args.Transparent);
  const ShapeRegion r = Limited(work.Width(), work.Height(), args.Region);
  for (int y = r.y0; y < r.y1; ++y) {
    Pixel* dst = work.Row(y);
    const Pixel* src = backup.Row(y);
    const Pixel* top = scratch.Row(y - args.ScratchTop) - args.ScratchLeft;
    for (int x = r.x0; x < r.x1; ++x) {
      if (((top[x] ^ dst[x]) & kColourBits) == 0) continue;
      const Weights wu = CPixelEngine::SelectionWeight(true, mask, 0, 0, y, x);
      // ComposePixel hands the blend routine p = q = 100; "Rozpuszczenie"
      // then passes its first test always, as it does with q = 1 and p = 1.
      engine.ComposePixel(ToRgb(top[x]), dst, src, x, wu.w, wu.u, a, b);
    }
  }
}

void ComposeShape(CPixelEngine& engine, Bitmap& work, const Bitmap& backup, const Bitmap& scratch,
                  const SelectionMask& mask, const ShapeComposeArgs& args) {
  engine.SelectBlend(args.Tryb);
  engine.SelectStore(args.Channel);
  const FastTail tail(engine, true, args.Transparent);
  if (!tail.Direct()) {
    ComposeShapeReference(engine, work, backup, scratch, mask, args);
    return;
  }
  const ShapeRegion r = Limited(work.Width(), work.Height(), args.Region);
  for (int y = r.y0; y < r.y1; ++y) {
    Pixel* dst = work.Row(y);
    const Pixel* src = backup.Row(y);
    const std::uint8_t* m = mask.Row(y);
    const Pixel* top = scratch.Row(y - args.ScratchTop) - args.ScratchLeft;
    for (int x = r.x0; x < r.x1; ++x) {
      if (((top[x] ^ dst[x]) & kColourBits) == 0) continue;
      tail.Compose(ToRgb(top[x]), dst, src, x, m[x]);
    }
  }
}

}  // namespace rv
