// Histogram stretching: each channel, less the picture's minimum, multiplied
// by the whole number 255 div (maximum - minimum); the statistics are those
// of the whole working picture, also in previews.
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ExtensionFilter() {
  static const FilterDecl decl{
      .Stem = "Extension",
      .DialogClass = "TFormExtension",
      .MenuCaption = "Rozciąganie histogramu...",
      .Menu = "Obrazek",
      .DialogCaption = "Opcje rozciągania histogramu",
      .HistoryLabel = "Rozciąganie histogramu",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {},
      .Run = [](const KernelArgs& a, const FilterSettings&) {
        ApplyExtension(a, a.Ctx.Picture ? *a.Ctx.Picture : a.Src);
      },
      .Summary = "Histogram stretching: spreads each channel's range of the whole picture towards 0..255.",
      .Description = "Rozciąganie histogramu: rozszerza zakres każdego kanału całego obrazu do 0..255.",
  };
  return decl;
}

namespace {

struct Stretch {
  Rgb factor;  // 255 div (max - min); 1 for a channel of a single value
  Rgb low;     // the minimum; 0 for a channel of a single value
};

Rgb StretchPixel(Rgb s, const void* data) {
  const Stretch& t = *static_cast<const Stretch*>(data);
  Rgb k{t.factor.r * (s.r - t.low.r), t.factor.g * (s.g - t.low.g), t.factor.b * (s.b - t.low.b)};
  ClampRgb(k);
  return k;
}

// Each channel's maximum and minimum over the picture (from 0 and 255).
// Every preview measures the whole picture, so the bytes of four pixels are
// compared at once: a byte's lane is its channel.
void MeasureRange(const Bitmap& picture, Rgb& hi, Rgb& lo) {
  hi = {0, 0, 0};
  lo = {255, 255, 255};
  auto take = [&](Pixel p) {
    const Rgb s = detail::SourceRgb(p);
    hi = {std::max(hi.r, s.r), std::max(hi.g, s.g), std::max(hi.b, s.b)};
    lo = {std::min(lo.r, s.r), std::min(lo.g, s.g), std::min(lo.b, s.b)};
  };
#if defined(__SSE2__)
  __m128i vh = _mm_setzero_si128(), vl = _mm_set1_epi8(static_cast<char>(0xFF));
#endif
  for (int y = 0; y < picture.Height(); ++y) {
    const Pixel* row = picture.Row(y);
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= picture.Width(); x += 4) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
      vh = _mm_max_epu8(vh, v);
      vl = _mm_min_epu8(vl, v);
    }
#endif
    for (; x < picture.Width(); ++x) take(row[x]);
  }
#if defined(__SSE2__)
  alignas(16) Pixel h[4], l[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(h), vh);
  _mm_store_si128(reinterpret_cast<__m128i*>(l), vl);
  // The lanes hold maxima and minima of real pixels only when a block was read.
  if (picture.Width() >= 4 && picture.Height() > 0)
    for (int i = 0; i < 4; ++i) {
      take(h[i]);
      take(l[i]);
    }
#endif
}

}  // namespace

void ApplyExtension(const KernelArgs& a, const Bitmap& picture) {
  Rgb hi, lo;
  MeasureRange(picture, hi, lo);
  // A channel with a single value (max = min) would divide by zero: it is left as it is.
  auto factor = [](int h, int l) { return h > l ? 255 / (h - l) : 1; };
  auto low = [](int h, int l) { return h > l ? l : 0; };
  const Stretch t{{factor(hi.r, lo.r), factor(hi.g, lo.g), factor(hi.b, lo.b)},
                  {low(hi.r, lo.r), low(hi.g, lo.g), low(hi.b, lo.b)}};
  PointFilter f;
  f.EffectTopOf = StretchPixel;
  f.EffectTopData = &t;
  f.TopSeparable = true;
  RunPointFilter(a, f, [](Rgb, Rgb e) { return e; });
}

}  // namespace rv
