// Histogram equalisation: each channel through its cumulative distribution
// over the whole working picture (also in previews), from the lowest value
// present to 255.
#include <cstdint>

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& AligmentFilter() {
  static const FilterDecl decl{
      .Stem = "Aligment",
      .DialogClass = "TFormAligment",
      .MenuCaption = "Wyrównanie histogramu...",
      .Menu = "Obrazek",
      .DialogCaption = "Opcje wyrównania histogramu",
      .HistoryLabel = "Rozciąganie histogramu",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {},
      .Run = [](const KernelArgs& a, const FilterSettings&) {
        ApplyAligment(a, a.Ctx.Picture ? *a.Ctx.Picture : a.Src);
      },
      .Summary = "Histogram equalisation: maps each channel through its cumulative distribution over the picture.",
      .Description = "Wyrównanie histogramu: przekształca każdy kanał przez jego dystrybuantę w całym obrazie.",
  };
  return decl;
}

namespace {

struct Equalise {
  std::array<std::array<int, 256>, 3> t;  // red, green, blue
};

Rgb EqualisePixel(Rgb s, const void* data) {
  const Equalise& e = *static_cast<const Equalise*>(data);
  return {e.t[0][static_cast<std::size_t>(s.r)], e.t[1][static_cast<std::size_t>(s.g)],
          e.t[2][static_cast<std::size_t>(s.b)]};
}

}  // namespace

void ApplyAligment(const KernelArgs& a, const Bitmap& picture) {
  // Whole counts (a picture holds fewer than 2^32 pixels), exact in double.
  std::array<std::array<std::uint32_t, 256>, 3> count{};
  for (int y = 0; y < picture.Height(); ++y) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      ++count[0][static_cast<std::size_t>(PixelRed(row[x]))];
      ++count[1][static_cast<std::size_t>(PixelGreen(row[x]))];
      ++count[2][static_cast<std::size_t>(PixelBlue(row[x]))];
    }
  }
  const double n = static_cast<double>(picture.Width()) * picture.Height();
  Equalise eq;
  for (std::size_t ch = 0; ch < 3; ++ch) {
    // Cumulative counts are whole numbers, exact in double, so the top value
    // present reaches exactly 1 and maps to 255.
    std::array<double, 256> c{};
    double running = 0;
    for (std::size_t v = 0; v < 256; ++v) {
      running += count[ch][v];
      c[v] = n > 0 ? running / n : 0;
    }
    double c0 = 0;
    for (std::size_t v = 0; v < 256; ++v)
      if (c[v] != 0) {
        c0 = c[v];
        break;
      }
    for (std::size_t v = 0; v < 256; ++v) {
      // A channel of a single value has 1 - c0 = 0: it is left as it is.
      eq.t[ch][v] = c0 < 1 ? static_cast<int>((c[v] - c0) / (1 - c0) * 255) : static_cast<int>(v);
    }
  }
  PointFilter f;
  f.CopySourceFirst = true;
  f.EffectTopOf = EqualisePixel;
  f.EffectTopData = &eq;
  f.TopSeparable = true;
  RunPointFilter(a, f, [](Rgb, Rgb e) { return e; });
}

}  // namespace rv
