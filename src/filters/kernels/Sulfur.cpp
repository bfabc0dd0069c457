// Smart sharpening: each pixel moves away from the mean of its window by
// amount / 255 of the difference, in integer steps that leave differences of
// one or two levels alone.
#include <algorithm>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& SulfurFilter() {
  static const FilterDecl decl{
      .Stem = "Sulfur",
      .DialogClass = "TFormSulfur",
      .MenuCaption = "Inteligentne wyostrzenie...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje inteligentnego wyostrzenia",
      .HistoryLabel = "Inteligentne wyostrzanie",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 0, 255, 250, "Scal"),
              Track("CanalG", "Kanał zielony", 0, 255, 250, "Scal"),
              Track("CanalB", "Kanał niebieski", 0, 255, 250, "Scal"),
              Link("Scal", true),
              Track("Radius", "Promień:", 1, 10, 2),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplySulfur(a, -v.Get("CanalR"), -v.Get("CanalG"), -v.Get("CanalB"), v.Get("Radius"));
      },
      .Summary = "Smart sharpening: pushes each pixel away from the mean of its window.",
      .Description = "Inteligentne wyostrzenie: odsuwa piksel od średniej jego otoczenia o promieniu Promień, w "
                     "mierze wartości kanałów.",
  };
  return decl;
}

namespace {

// Per-channel integer mean of the window x - r..x + r, y - r..y + r clipped to the pass.
Rgb WindowMean(const Bitmap& src, int x, int y, int r, int w, int h) {
  const int x0 = std::max(0, x - r), x1 = std::min(w - 1, x + r);
  const int y0 = std::max(0, y - r), y1 = std::min(h - 1, y + r);
  int sr = 0, sg = 0, sb = 0;
  for (int j = y0; j <= y1; ++j) {
    const Pixel* row = src.Row(j);
    for (int i = x0; i <= x1; ++i) {
      sr += PixelRed(row[i]);
      sg += PixelGreen(row[i]);
      sb += PixelBlue(row[i]);
    }
  }
  const int n = (x1 - x0 + 1) * (y1 - y0 + 1);
  return {sr / n, sg / n, sb / n};
}

inline int Sharpened(int mean, int s, int e) { return ((mean - s) * 100 / 255) * e / 100 + s; }

inline void SharpenPixel(const EffectRun& run, Rgb top, Rgb mean, Pixel* dstRow, const Pixel* srcRow, int x, int m) {
  const Rgb s = RgbOf(srcRow[x]);
  const Rgb e = run.Effect(top, dstRow, srcRow, x);
  Rgb c{Sharpened(mean.r, s.r, e.r), Sharpened(mean.g, s.g, e.g), Sharpened(mean.b, s.b, e.b)};
  Clamp255(c);
  run.Compose(c, dstRow, srcRow, x, m);
}

}  // namespace

void ApplySulfur(const KernelArgs& args, int amountR, int amountG, int amountB, int radius) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  const Rgb top{amountR, amountG, amountB};
  const int r = std::max(radius, 0);
  const int w = a.Width, h = a.Height;
  if (run.Plain()) {
    for (int y = 0; y < h; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (!run.EnterRow()) return;
      const std::uint8_t* m = run.mask.Row(y);
      for (int x = 0; x < w; ++x) SharpenPixel(run, top, WindowMean(a.Src, x, y, r, w, h), dstRow, srcRow, x, m[x]);
    }
    run.Finish();
    return;
  }

  // With "Zwykły" as effect mode the step added to a pixel depends on its
  // difference from the mean alone.
  const bool tabular = run.EffectIsTop();
  std::vector<int> steps(tabular ? 3 * 511 : 0);
  const int* step[3] = {steps.data(), steps.data() + 511, steps.data() + 1022};
  if (tabular) {
    const int amount[3] = {top.r, top.g, top.b};
    for (int c = 0; c < 3; ++c)
      for (int d = -255; d <= 255; ++d) steps[static_cast<std::size_t>(c * 511 + d + 255)] = Sharpened(d, 0, amount[c]);
  }
  // Running sums: per column over the window's rows, then along the row.
  std::vector<int> col(static_cast<std::size_t>(w) * 3, 0);
  auto addRow = [&](int j, int sign) {
    const Pixel* row = a.Src.Row(j);
    for (int i = 0; i < w; ++i) {
      col[3 * i] += sign * PixelRed(row[i]);
      col[3 * i + 1] += sign * PixelGreen(row[i]);
      col[3 * i + 2] += sign * PixelBlue(row[i]);
    }
  };
  for (int j = 0; j <= std::min(h - 1, r); ++j) addRow(j, 1);
  const int full = 2 * r + 1;
  for (int y = 0; y < h; ++y) {
    if (y > 0) {
      if (y + r < h) addRow(y + r, 1);
      if (y - r - 1 >= 0) addRow(y - r - 1, -1);
    }
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    const int rows = std::min(h - 1, y + r) - std::max(0, y - r) + 1;
    const SmallDivisor inner(static_cast<std::uint32_t>(rows * full));
    int sr = 0, sg = 0, sb = 0;
    for (int i = 0; i <= std::min(w - 1, r); ++i) {
      sr += col[3 * i];
      sg += col[3 * i + 1];
      sb += col[3 * i + 2];
    }
    for (int x = 0; x < w; ++x) {
      if (x > 0) {
        if (x + r < w) {
          const int i = x + r;
          sr += col[3 * i];
          sg += col[3 * i + 1];
          sb += col[3 * i + 2];
        }
        if (x - r - 1 >= 0) {
          const int i = x - r - 1;
          sr -= col[3 * i];
          sg -= col[3 * i + 1];
          sb -= col[3 * i + 2];
        }
      }
      const int cols = std::min(w - 1, x + r) - std::max(0, x - r) + 1;
      Rgb mean;
      if (cols == full) {
        mean = {static_cast<int>(inner.Div(static_cast<std::uint32_t>(sr))),
                static_cast<int>(inner.Div(static_cast<std::uint32_t>(sg))),
                static_cast<int>(inner.Div(static_cast<std::uint32_t>(sb)))};
      } else {
        const int n = rows * cols;
        mean = {sr / n, sg / n, sb / n};
      }
      if (tabular) {
        const Rgb sp = RgbOf(srcRow[x]);
        Rgb c{sp.r + step[0][mean.r - sp.r + 255], sp.g + step[1][mean.g - sp.g + 255],
              sp.b + step[2][mean.b - sp.b + 255]};
        Clamp255(c);
        run.Compose(c, dstRow, srcRow, x, m[x]);
      } else {
        SharpenPixel(run, top, mean, dstRow, srcRow, x, m[x]);
      }
    }
  }
  run.Finish();
}

}  // namespace rv
