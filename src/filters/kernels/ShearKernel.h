// The runner of the two alignment shears. Pixel (x, y) goes to row y + m of
// its column (vertical alignment, m from the column) or to column x + m of its
// row (horizontal, m from the row), m = trunc(Power * l * 0.01) with l the
// position in percent of the document's size; the target is limited to the
// processed region. The effect takes the pixel itself as top colour, the blend
// lays E over the source pixel (vertical: at (x, y); horizontal: at the
// target), and the mix partner is the source pixel at the target. Pixels are
// processed row by row, left to right, so where several reach one target the
// last one stays.
#pragma once

#include <algorithm>
#include <array>
#include <optional>

#include "filters/kernels/FastTail.h"
#include "filters/kernels/Kernel.h"

namespace rv {

enum class ShearAxis { Columns, Rows };

// The shift of position `pos` in a document `extent` long.
inline int ShearShift(int power, long long pos, int extent) {
  const long long l = pos * 100 / std::max(extent, 1);
  return static_cast<int>(static_cast<double>(power * l) * 0.01);
}

template <ShearAxis Axis>
void RunShear(const KernelArgs& args, int power) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  e.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  e.SelectEffect(a.Ctx.TypeBox);
  const MaskView mask(a);
  const Bitmap& doc = a.Ctx.Picture ? *a.Ctx.Picture : a.Src;
  const int extent = Axis == ShearAxis::Columns ? doc.Width() : doc.Height();
  const int w = a.Width, h = a.Height;

  const bool fast = !a.Ctx.PlainPath && BlendModeSeparable(e.EffectIndex) && BlendModeSeparable(e.BlendIndex);
  std::optional<ModeTable> effect, blend;
  std::optional<FastTail> tail;
  std::array<int, 256> selfEffect{};
  if (fast) {
    // The effect's top colour is the pixel itself: channel c gives mode(s_c, s_c).
    effect.emplace(e.EffectIndex);
    for (int v = 0; v < 256; ++v) selfEffect[static_cast<std::size_t>(v)] = (*effect)(v, v);
    blend.emplace(e.BlendIndex);
    tail.emplace(e, false, a.Transparency);
  }

  for (int y = 0; y < h; ++y) {
    Pixel* dstRowY = a.Dst.Row(y);
    const Pixel* srcRowY = a.Src.Row(y);
    if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
    if (e.Cancelled) return;
    const std::uint8_t* m = mask.Row(y);
    const int rowShift = Axis == ShearAxis::Rows ? ShearShift(power, y, extent) : 0;
    for (int x = 0; x < w; ++x) {
      int tx = x, ty = y;
      if constexpr (Axis == ShearAxis::Columns)
        ty = std::clamp(y + ShearShift(power, x, extent), 0, h - 1);
      else
        tx = std::clamp(x + rowShift, 0, w - 1);
      Pixel* dstRowT = a.Dst.Row(ty);
      const Pixel* srcRowT = a.Src.Row(ty);
      const int baseX = Axis == ShearAxis::Columns ? x : tx;  // blend base: source row y at this column
      if (fast) {
        const Pixel s = srcRowY[x];
        const Pixel base = srcRowY[baseX];
        const Rgb v{(*blend)(selfEffect[static_cast<std::size_t>(PixelRed(s))], PixelRed(base)),
                    (*blend)(selfEffect[static_cast<std::size_t>(PixelGreen(s))], PixelGreen(base)),
                    (*blend)(selfEffect[static_cast<std::size_t>(PixelBlue(s))], PixelBlue(base))};
        tail->Store(v, dstRowT, srcRowT, tx, m[x]);
        continue;
      }
      const Pixel sp = srcRowY[x];
      const Rgb E =
          e.EffectProc({PixelRed(sp), PixelGreen(sp), PixelBlue(sp)}, dstRowY, srcRowY, x, 100, 100);
      // Vertical: base s(x, y), the destination read at the target row.
      // Horizontal: base s(t, y) in the same row.
      const Rgb blended = Axis == ShearAxis::Columns ? e.BlendProc(E, dstRowT, srcRowY, x, 100, 100)
                                                     : e.BlendProc(E, dstRowY, srcRowY, tx, 100, 100);
      e.ColorR = blended.r;
      e.ColorG = blended.g;
      e.ColorB = blended.b;
      // The partner of the mix is the source pixel at the target.
      e.ComposeWithoutBlend(blended, dstRowT, srcRowT, tx, Percent(m[x]), Percent(100 - m[x]), A, B);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
