#include "tools/core/Selection.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace rv {

SelectionBox OrderedBox(int ax, int ay, int bx, int by) {
  return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

namespace {

// The part of the picture that both the picture and the mask cover.
int CommonWidth(const Bitmap& a, const SelectionMask& m) { return std::min(a.Width(), m.Width()); }
int CommonHeight(const Bitmap& a, const SelectionMask& m) { return std::min(a.Height(), m.Height()); }

std::uint8_t Strength(int s) { return static_cast<std::uint8_t>(std::clamp(s, 0, 100)); }

// Summed channel difference of two pixels, 0..765.
inline int ChannelDistance(Pixel p, int r, int g, int b) {
  return std::abs(r - PixelRed(p)) + std::abs(g - PixelGreen(p)) + std::abs(b - PixelBlue(p));
}

inline int WandValue(int diff, int tolerant, int sila) {
  const int q = std::min(diff * 100 / tolerant, 100);
  return std::max(0, sila - q);
}

// trunc(top * m% + p * (100 - m)%), the weights single-precision.
inline int Tint(int top, int p, int m) {
  return static_cast<int>(static_cast<double>(top) * Percent(m) + static_cast<double>(p) * Percent(100 - m));
}

}  // namespace

void MaskFromCoverage(const Bitmap& coverage, int strength, SelectionMask& mask) {
  const int w = CommonWidth(coverage, mask);
  const int h = CommonHeight(coverage, mask);
  const std::uint8_t s = Strength(strength);
  for (int y = 0; y < h; ++y) {
    const Pixel* row = coverage.Row(y);
    std::uint8_t* out = mask.Row(y);
    for (int x = 0; x < w; ++x) out[x] = PixelBlue(row[x]) != 0 ? 0 : s;
  }
}

void MaskFromChange(const Bitmap& drawn, const Bitmap& backup, int strength, SelectionMask& mask) {
  const int w = std::min(CommonWidth(drawn, mask), backup.Width());
  const int h = std::min(CommonHeight(drawn, mask), backup.Height());
  const std::uint8_t s = Strength(strength);
  for (int y = 0; y < h; ++y) {
    const Pixel* a = drawn.Row(y);
    const Pixel* b = backup.Row(y);
    std::uint8_t* out = mask.Row(y);
    for (int x = 0; x < w; ++x) out[x] = ((a[x] ^ b[x]) & 0x00FFFFFFu) == 0 ? 0 : s;
  }
}

void WandSelect(const Bitmap& work, Pixel reference, const WandOptions& o, SelectionMask& mask, bool plain) {
  const int tolerant = std::clamp(o.Tolerant, 1, 800);
  const int sila = std::clamp(o.Sila, 0, 100);
  const int rr = PixelRed(reference), rg = PixelGreen(reference), rb = PixelBlue(reference);
  const int w = CommonWidth(work, mask);
  const int h = CommonHeight(work, mask);
  if (plain) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        mask.Set(x, y, static_cast<std::uint8_t>(WandValue(ChannelDistance(work.At(x, y), rr, rg, rb), tolerant, sila)));
    return;
  }
  // The value depends on the summed difference only (0..765): one division
  // per possible difference instead of one per pixel. The differences of a
  // row are summed first in a loop the compiler can vectorise.
  std::array<std::uint8_t, 766> byDiff;
  for (int d = 0; d <= 765; ++d)
    byDiff[static_cast<std::size_t>(d)] = static_cast<std::uint8_t>(WandValue(d, tolerant, sila));
  std::vector<std::uint16_t> diff(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(work.Row(y));
    std::uint16_t* dr = diff.data();
    for (int x = 0; x < w; ++x) {
      int db = bytes[4 * x] - rb;
      int dg = bytes[4 * x + 1] - rg;
      int dd = bytes[4 * x + 2] - rr;
      db = db < 0 ? -db : db;
      dg = dg < 0 ? -dg : dg;
      dd = dd < 0 ? -dd : dd;
      dr[x] = static_cast<std::uint16_t>(db + dg + dd);
    }
    std::uint8_t* out = mask.Row(y);
    for (int x = 0; x < w; ++x) out[x] = byDiff[dr[x]];
  }
}

void WandPreview(const Bitmap& work, const SelectionMask& mask, Bitmap& preview, bool plain) {
  if (preview.Width() != work.Width() || preview.Height() != work.Height()) preview = work;
  const int w = CommonWidth(work, mask);
  const int h = CommonHeight(work, mask);
  if (plain) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = work.At(x, y);
        const int m = mask.At(x, y);
        preview.Set(x, y,
                    (p & 0xFF000000u) | (MakePixel(Tint(255, PixelRed(p), m), Tint(0, PixelGreen(p), m),
                                                   Tint(0, PixelBlue(p), m)) &
                                         0x00FFFFFFu));
      }
    return;
  }
  // Tinted channel by mask value and channel value: red toward 255, green
  // and blue toward 0. Mask values above 100 do not occur.
  static std::array<std::array<std::uint8_t, 256>, 101> red, other;
  static bool built = false;
  if (!built) {
    for (int m = 0; m <= 100; ++m)
      for (int c = 0; c < 256; ++c) {
        red[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(Tint(255, c, m));
        other[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(Tint(0, c, m));
      }
    built = true;
  }
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = reinterpret_cast<const std::uint8_t*>(work.Row(y));
    const std::uint8_t* mr = mask.Row(y);
    std::uint8_t* out = reinterpret_cast<std::uint8_t*>(preview.Row(y));
    for (int x = 0; x < w; ++x) {
      const std::size_t m = std::min<std::size_t>(mr[x], 100);
      out[4 * x] = other[m][in[4 * x]];
      out[4 * x + 1] = other[m][in[4 * x + 1]];
      out[4 * x + 2] = red[m][in[4 * x + 2]];
    }
  }
}

void MaskDab(Bitmap& work, Bitmap* display, SelectionMask& mask, DabPoint centre, const MaskOptions& o) {
  const int w = CommonWidth(work, mask);
  const int h = CommonHeight(work, mask);
  if (w <= 0 || h <= 0) return;
  const int r = std::clamp(o.Wielkosc, 1, 150);
  const int hardness = std::clamp(o.Twardosc, 0, 100);
  const int strength = std::clamp(o.Przezroczystosc, 0, 100);
  // Kept near the picture so that the bounds cannot overflow.
  const int cx = std::clamp(centre.X, -200, w + 200);
  const int cy = std::clamp(centre.Y, -200, h + 200);
  const bool showOnDisplay = display && display->Width() == work.Width() && display->Height() == work.Height();
  const BrushBox box = CPixelEngine::BrushBounds(w, h, cx, cy, r);
  Pixel* workRow = nullptr;
  Pixel* displayRow = nullptr;
  std::uint8_t* maskRow = nullptr;
  WalkDisc(
      box, cx, cy, r,
      [&](int py) {
        workRow = work.Row(py);
        displayRow = showOnDisplay ? display->Row(py) : nullptr;
        maskRow = mask.Row(py);
      },
      [&](int px, int, int d) {
        const int f = CPixelEngine::BrushFalloff(d, r, hardness);
        const float f1 = Percent(100 - f);
        const float f2 = Percent(f);
        const Pixel p = workRow[px];
        const int tr = static_cast<int>(255.0 * f1 + static_cast<double>(PixelRed(p)) * f2);
        const int tg = static_cast<int>(0.0 * f1 + static_cast<double>(PixelGreen(p)) * f2);
        const int tb = static_cast<int>(0.0 * f1 + static_cast<double>(PixelBlue(p)) * f2);
        const Pixel tinted = (p & 0xFF000000u) | (MakePixel(tr, tg, tb) & 0x00FFFFFFu);
        if (displayRow) displayRow[px] = (displayRow[px] & 0xFF000000u) | (tinted & 0x00FFFFFFu);
        workRow[px] = tinted;
        maskRow[px] = static_cast<std::uint8_t>(static_cast<double>(strength) * f1 + static_cast<double>(maskRow[px]) * f2);
      });
}

}  // namespace rv
