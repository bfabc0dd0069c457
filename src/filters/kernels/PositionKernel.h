// The runner of the filters whose effect top colour comes from the pixel's
// position in the picture (the gradients): per pixel the effect turns the
// position's colour into E, E is clamped and composed over the source pixel.
//
// The plain path follows that definition pixel by pixel. The fast path asks
// the kernel for a whole row of top colours at once and, when the effect mode
// works channel by channel (and draws nothing), takes E from a table; the
// result is bit-identical.
#pragma once

#include <optional>
#include <vector>

#include "filters/kernels/FastTail.h"
#include "filters/kernels/Kernel.h"

namespace rv {

// The processed pixel (x, y) lies at (x, y) in the picture in a full run and
// at (left + x, top + y) in a preview.
inline int PictureColumn(const KernelArgs& a, int x) { return a.FullRun ? x : a.Ctx.PreviewLeft + x; }
inline int PictureRow(const KernelArgs& a, int y) { return a.FullRun ? y : a.Ctx.PreviewTop + y; }

// topAt(px, py) gives the top colour of picture position (px, py), in
// 0..255; rowTops(py, scratch) gives the tops of the processed row at picture
// row py (the same values), in scratch or in an array of its own.
template <class TopAt, class RowTops>
void RunPositionFilter(const KernelArgs& args, TopAt topAt, RowTops rowTops) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  e.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  e.SelectEffect(a.Ctx.TypeBox);
  const MaskView mask(a);
  const int typeBox = e.EffectIndex;
  const bool fast = !a.Ctx.PlainPath && (typeBox == 0 || BlendModeSeparable(typeBox));

  if (!fast) {
    for (int y = 0; y < a.Height; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
      if (e.Cancelled) return;
      const std::uint8_t* m = mask.Row(y);
      for (int x = 0; x < a.Width; ++x) {
        Rgb E = e.EffectProc(topAt(PictureColumn(a, x), PictureRow(a, y)), dstRow, srcRow, x, 100, 100);
        ClampRgb(E);
        e.ComposePixel(E, dstRow, srcRow, x, Percent(m[x]), Percent(100 - m[x]), A, B);
      }
    }
    CPixelEngine::EndRun(a.Ctx.Progress);
    return;
  }

  std::optional<ModeTable> effect;
  if (typeBox != 0) effect.emplace(typeBox);
  const FastTail tail(e, true, a.Transparency);
  std::vector<Rgb> tops(static_cast<std::size_t>(a.Width));
  auto rows = [&](auto compose) {
    for (int y = 0; y < a.Height; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
      if (e.Cancelled) return;
      const std::uint8_t* m = mask.Row(y);
      const Rgb* rowTop = rowTops(PictureRow(a, y), tops.data());
      for (int x = 0; x < a.Width; ++x) {
        Rgb E = rowTop[x];
        if (effect) {
          const Pixel s = srcRow[x];
          E = {(*effect)(E.r, PixelRed(s)), (*effect)(E.g, PixelGreen(s)), (*effect)(E.b, PixelBlue(s))};
        }
        ClampInline(E);
        compose(E, dstRow, srcRow, x, m[x]);
      }
    }
  };
  if (tail.Plain())
    rows([](Rgb c, Pixel* d, const Pixel* s, int x, int m) { FastTail::Put(c, d, s, x, m); });
  else if (tail.Direct())
    rows([&](Rgb c, Pixel* d, const Pixel* s, int x, int m) { tail.Compose(c, d, s, x, m); });
  else
    rows([&](Rgb c, Pixel* d, const Pixel* s, int x, int m) {
      e.ComposePixel(c, d, s, x, Percent(m), Percent(100 - m), A, B);
    });
  if (e.Cancelled) return;
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
