#include "tools/core/ColourParts.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace rv {

namespace {

// n / d as (n * m_d) >> 32 with m_d = 2^32 / d + 1: exact for n below 2^32 / 510
// and d up to 510, far beyond the numerators here (at most 2^17).
struct Reciprocals {
  std::array<std::uint64_t, 511> m{};
  Reciprocals() {
    for (std::uint64_t d = 1; d < m.size(); ++d) m[d] = (std::uint64_t{1} << 32) / d + 1;
  }
};
const Reciprocals kReciprocals;

inline int Div(int n, int d) {
  return static_cast<int>((static_cast<std::uint64_t>(n) * kReciprocals.m[static_cast<std::size_t>(d)]) >> 32);
}

}  // namespace

int HueOf(int r, int g, int b) {
  const int mx = std::max(r, std::max(g, b));
  const int mn = std::min(r, std::min(g, b));
  if (mx == mn) return 160;
  const int d = mx - mn;
  const int half = d / 2;
  const int rd = Div((mx - r) * 40 + half, d);
  const int gd = Div((mx - g) * 40 + half, d);
  const int bd = Div((mx - b) * 40 + half, d);
  // Without branches on which channel is largest: photographs and noise alike
  // change it from pixel to pixel.
  const int hr = bd - gd;
  const int hg = 80 + rd - bd;
  const int hb = 160 + gd - rd;
  int h = r == mx ? hr : (g == mx ? hg : hb);
  h += h < 0 ? 240 : 0;
  h -= h > 240 ? 240 : 0;
  return h;
}

LightSat LightSatOf(int r, int g, int b) {
  const int mx = std::max(r, std::max(g, b));
  const int mn = std::min(r, std::min(g, b));
  const int sum = mx + mn;
  const int l = (sum * 240 + 255) / 510;
  if (mx == mn) return {l, 0};
  const int den = l <= 120 ? sum : 510 - sum;
  const int s = Div((mx - mn) * 240 + den / 2, den);
  return {l, std::min(s, 240)};
}

HlsAtHue::HlsAtHue(int hue) : hue_(hue), table_(241 * 241) {
  // Where each component's hue falls among the ranges of HueToComponent:
  // 0 the low end, 1 the high end, 2 a ramp by a step a.
  int kind[3], a[3];
  const int hues[3] = {hue + 80, hue, hue - 80};
  for (int i = 0; i < 3; ++i) {
    int h = hues[i];
    if (h < 0) h += 240;
    if (h > 240) h -= 240;
    kind[i] = h < 40 ? 2 : (h < 120 ? 1 : (h < 160 ? 2 : 0));
    a[i] = h < 40 ? h : (160 - h);
  }
  for (int l = 0; l <= 240; ++l) {
    std::uint32_t* row = table_.data() + static_cast<std::size_t>(l) * 241;
    const int grey = l * 255 / 240;
    row[0] = static_cast<std::uint32_t>(grey | (grey << 8) | (grey << 16));
    for (int s = 1; s <= 240; ++s) {
      const int m2 = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
      const int m1 = 2 * l - m2;
      int c[3];
      for (int i = 0; i < 3; ++i) {
        const int v = kind[i] == 0 ? m1 : (kind[i] == 1 ? m2 : m1 + (a[i] * (m2 - m1) + 20) / 40);
        c[i] = ClampByte((v * 255 + 120) / 240);
      }
      row[s] = static_cast<std::uint32_t>(c[0] | (c[1] << 8) | (c[2] << 16));
    }
  }
}

}  // namespace rv
