#include "tools/core/ShapeCompose.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

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

ShapeRegion Union(const ShapeRegion& a, const ShapeRegion& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.x0, b.x0), std::max(a.x1, b.x1), std::min(a.y0, b.y0), std::max(a.y1, b.y1)};
}

void CopyRegion(Bitmap& dst, const Bitmap& src, const ShapeRegion& region) {
  const ShapeRegion r = Limited(std::min(dst.Width(), src.Width()), std::min(dst.Height(), src.Height()), region);
  if (r.Empty()) return;
  const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(Pixel);
  for (int y = r.y0; y < r.y1; ++y) std::memcpy(dst.Row(y) + r.x0, src.Row(y) + r.x0, bytes);
}

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
  // A fully selected pixel under a partial opacity mixes blend result v and
  // source s by the opacity alone: one table of all (v, s) pairs.
  std::vector<std::uint8_t> mix;
  if (args.Transparent != 100) {
    const float a = Percent(args.Transparent), b = Percent(100 - args.Transparent);
    const float w = Percent(100), u = Percent(0);
    mix.resize(256 * 256);
    for (int v = 0; v < 256; ++v)
      for (int src = 0; src < 256; ++src)
        mix[static_cast<std::size_t>(v * 256 + src)] =
            static_cast<std::uint8_t>(MixSelectTransparency(v, src, w, u, a, b));
  }
  auto mixed = [&mix](int v, int src) { return static_cast<int>(mix[static_cast<std::size_t>(v * 256 + src)]); };
  for (int y = r.y0; y < r.y1; ++y) {
    Pixel* dst = work.Row(y);
    const Pixel* src = backup.Row(y);
    const std::uint8_t* m = mask.Row(y);
    const Pixel* top = scratch.Row(y - args.ScratchTop) - args.ScratchLeft;
    for (int x = r.x0; x < r.x1; ++x) {
      if (((top[x] ^ dst[x]) & kColourBits) == 0) continue;
      if (m[x] == 100 && !mix.empty()) {
        const Pixel s = src[x];
        const Rgb v = tail.Blend(ToRgb(top[x]), s);
        StoreChannels(engine.StoreProc, dst, x, mixed(v.r, PixelRed(s)), mixed(v.g, PixelGreen(s)),
                      mixed(v.b, PixelBlue(s)));
      } else {
        tail.Compose(ToRgb(top[x]), dst, src, x, m[x]);
      }
    }
  }
}

}  // namespace rv
