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

}  // namespace rv
