#include "engine/BlendModes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/Random.h"

namespace rv {

const std::array<const char*, kBlendModeCount> kBlendModeNames = {
    "Zwykły",          "Rozpuszczenie",       "Ciemniej",        "Mnożenie",
    "Dosycenie koloru", "Ściemnianie liniowe", "Jaśniej",         "Mnożenie odwrotności",
    "Rozjaśnienie liniowe", "Nakładka",        "Łagodne światła", "Twarde światła",
    "Miękkie światła", "Średnie światła",      "Screen",          "Wykluczenie",
    "Narzuta",         "Ostre światło",        "Uśrednienie",     "Światło punktowe",
    "Różnica",         "Barwa",                "Mocne cienie",    "Odkurzenie barw",
    "Dodawanie szarości", "Uśrednienie szarości"};

int FindBlendMode(const char* text) {
  if (text == nullptr || *text == '\0') return -1;
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (*end == '\0') return (n >= 0 && n < kBlendModeCount) ? static_cast<int>(n) : -1;
  for (int i = 0; i < kBlendModeCount; ++i)
    if (std::strcmp(text, kBlendModeNames[static_cast<std::size_t>(i)]) == 0) return i;
  return -1;
}

void ClampHls(int& h, int& l, int& s) {
  auto c = [](int& v) {
    if (v > 240) v = 240;
    else if (v < 0) v = 0;
  };
  c(h);
  c(l);
  c(s);
}

void ClampRgbF(float& r, float& g, float& b) {
  auto c = [](float& v) {
    if (v > 255.0f) v = 255.0f;
    else if (!(v >= 0.0f)) v = 0.0f;  // negative or not a number
  };
  c(r);
  c(g);
  c(b);
}

void ContrastingColor(int& r, int& g, int& b) {
  r = r < 128 ? 255 : 0;
  g = g < 128 ? 255 : 0;
  b = b < 128 ? 255 : 0;
}

namespace {
// Only colours outside 0..255 (effect amounts of some dialogs) can make these
// divisors zero; they then count as 0 instead of trapping.
inline int SafeDiv(int a, int b) { return b == 0 ? 0 : a / b; }

// Reciprocals for the divisions of in-range colours: n / d equals
// (n * m_d) >> 32 with m_d = 2^32 / d + 1 for every n * (m_d * d - 2^32) < 2^32,
// which holds for numerators below 2^17 and divisors up to 510.
struct Reciprocals {
  std::array<std::uint64_t, 511> m{};
  Reciprocals() {
    for (std::uint64_t d = 1; d < m.size(); ++d) m[d] = (std::uint64_t{1} << 32) / d + 1;
  }
};
const Reciprocals kReciprocals;

inline int FastDiv(int n, int d) {
  return static_cast<int>((static_cast<std::uint64_t>(n) * kReciprocals.m[static_cast<std::size_t>(d)]) >> 32);
}

// The conversion for colours in 0..255: every numerator is non-negative and
// every divisor is 1..510.
Rgb RgbToHlsInRange(int r, int g, int b) {
  const int mx = std::max(r, std::max(g, b));
  const int mn = std::min(r, std::min(g, b));
  const int l = ((mx + mn) * 240 + 255) / 510;
  if (mx == mn) return {160, l, 0};
  int s;
  if (l <= 120)
    s = FastDiv((mx - mn) * 240 + (mx + mn) / 2, mx + mn);
  else
    s = FastDiv((mx - mn) * 240 + (510 - mx - mn) / 2, 510 - mx - mn);
  const int d = mx - mn;
  int h;
  if (r == mx)
    h = FastDiv((mx - b) * 40 + d / 2, d) - FastDiv((mx - g) * 40 + d / 2, d);
  else if (g == mx)
    h = 80 + FastDiv((mx - r) * 40 + d / 2, d) - FastDiv((mx - b) * 40 + d / 2, d);
  else
    h = 160 + FastDiv((mx - g) * 40 + d / 2, d) - FastDiv((mx - r) * 40 + d / 2, d);
  if (h < 0) h += 240;
  if (h > 240) h -= 240;
  return {h, l, std::min(s, 240)};
}

}  // namespace

Rgb RgbToHlsPlain(int r, int g, int b) {
  const int mx = std::max(r, std::max(g, b));
  const int mn = std::min(r, std::min(g, b));
  int l = ((mx + mn) * 240 + 255) / 510;
  int h, s;
  if (mx == mn) {
    s = 0;
    h = 160;
  } else {
    if (l <= 120)
      s = SafeDiv((mx - mn) * 240 + (mx + mn) / 2, mx + mn);
    else
      s = SafeDiv((mx - mn) * 240 + (510 - mx - mn) / 2, 510 - mx - mn);
    const int d = mx - mn;
    const int rd = ((mx - r) * 40 + d / 2) / d;
    const int gd = ((mx - g) * 40 + d / 2) / d;
    const int bd = ((mx - b) * 40 + d / 2) / d;
    if (r == mx)
      h = bd - gd;
    else if (g == mx)
      h = 80 + rd - bd;
    else
      h = 160 + gd - rd;
    if (h < 0) h += 240;
    if (h > 240) h -= 240;
  }
  ClampHls(h, l, s);
  return {h, l, s};
}

Rgb RgbToHls(int r, int g, int b) {
  if (static_cast<unsigned>(r) <= 255u && static_cast<unsigned>(g) <= 255u && static_cast<unsigned>(b) <= 255u)
    return RgbToHlsInRange(r, g, b);
  return RgbToHlsPlain(r, g, b);
}

int HueToComponent(int lo, int hi, int hue) {
  if (hue < 0) hue += 240;
  if (hue > 240) hue -= 240;
  if (hue < 40) return lo + (hue * (hi - lo) + 20) / 40;
  if (hue < 120) return hi;
  if (hue < 160) return lo + ((160 - hue) * (hi - lo) + 20) / 40;
  return lo;
}

Rgb HlsToRgb(int h, int l, int s) {
  int r, g, b;
  if (s == 0) {
    r = g = b = l * 255 / 240;
  } else {
    const int m2 = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
    const int m1 = 2 * l - m2;
    r = (HueToComponent(m1, m2, h + 80) * 255 + 120) / 240;
    g = (HueToComponent(m1, m2, h) * 255 + 120) / 240;
    b = (HueToComponent(m1, m2, h - 80) * 255 + 120) / 240;
  }
  ClampRgb(r, g, b);
  return {r, g, b};
}

namespace {

inline Rgb Base(const Pixel* row, int x) {
  const Pixel p = row[x];
  return {PixelRed(p), PixelGreen(p), PixelBlue(p)};
}

// Per-channel formulas of the separable modes.
template <int M>
inline int Channel(int t, int s) {
  if constexpr (M == 0) return t;
  if constexpr (M == 2) return std::min(s, t);
  if constexpr (M == 3) return t * s / 255;
  if constexpr (M == 5) return s + t - 255;
  if constexpr (M == 6) return std::max(s, t);
  if constexpr (M == 7) return t * s / 255 + s;
  if constexpr (M == 8) return t + s;
  if constexpr (M == 9) {
    const int i = 255 - t;
    const int d = std::abs(i - s) * 200 / 255;
    return s > i ? s + d : s - d;
  }
  if constexpr (M == 10 || M == 22) {
    const int m = (t * s) / 256;
    const int f = ((255 - s) * (255 - t)) / 256;
    const int h = ((255 - f - m) * s) / 256;
    return M == 10 ? m + h : m - h;
  }
  if constexpr (M == 11) return s == 255 ? 255 : t * s / 128;
  if constexpr (M == 12) return s >= 1 ? 255 - std::abs((255 - t) * (255 - s)) / 128 : t * s / 128;
  if constexpr (M == 13) return s >= 127 ? 255 - std::abs((255 - t) * (255 - s)) / 128 : t * s / 128;
  if constexpr (M == 14) return 255 - ((255 - t) * (255 - s)) / 256;
  if constexpr (M == 15) return t + s - (t * s) / 128;
  if constexpr (M == 16) return t >= 128 ? 255 - std::abs(((255 - s) * (255 - t)) / 128) : t * s / 128;
  if constexpr (M == 17) {
    const int d = std::abs(s - t) * 200 / 255;
    return t >= 128 ? s + d : s - d;
  }
  if constexpr (M == 18) return (t + s) / 2;
  if constexpr (M == 20) return std::abs(s - t);
  return t;
}

constexpr bool Clamped(int m) { return !(m == 0 || m == 1 || m == 2 || m == 3 || m == 6); }

template <int M>
Rgb Mode(Rgb t, const Pixel* dstRow, const Pixel* srcRow, int x, int p, int q) {
  Rgb out;
  if constexpr (M == 1) {
    (void)srcRow;
    return Dissolve(t, dstRow[x], p, q);
  } else {
    (void)dstRow;
    (void)p;
    (void)q;
    const Rgb s = Base(srcRow, x);
    if constexpr (M == 4 || M == 23) {
      const int k = (t.r + t.g + t.b) / 3;
      const int g = (s.r + s.g + s.b) / 3;
      if constexpr (M == 4)
        out = {s.r + (t.r - k) + (s.r - g), s.g + (t.g - k) + (s.g - g), s.b + (t.b - k) + (s.b - g)};
      else
        out = {s.r + (s.r - g) - (t.r - k), s.g + (s.g - g) - (t.g - k), s.b + (s.b - g) - (t.b - k)};
    } else if constexpr (M == 19) {
      const int k = (t.r + t.g + t.b) / 3;
      if (k < 128)
        out = {std::min(s.r, t.r), std::min(s.g, t.g), std::min(s.b, t.b)};
      else
        out = {std::max(s.r, t.r), std::max(s.g, t.g), std::max(s.b, t.b)};
    } else if constexpr (M == 21) {
      const Rgb ht = RgbToHls(t.r, t.g, t.b);
      const Rgb hs = RgbToHls(s.r, s.g, s.b);
      return HlsToRgb(ht.r, hs.g, hs.b);
    } else if constexpr (M == 24 || M == 25) {
      const int g = (t.r + t.g + t.b) / 3;
      if constexpr (M == 24)
        out = {t.r + g + s.r, t.g + g + s.g, t.b + g + s.b};
      else
        out = {t.r + s.r - g, t.g + s.g - g, t.b + s.b - g};
    } else {
      out = {Channel<M>(t.r, s.r), Channel<M>(t.g, s.g), Channel<M>(t.b, s.b)};
    }
    if constexpr (Clamped(M)) ClampRgb(out);
    return out;
  }
}

template <int M>
void ModeRow(const Rgb* top, int topStep, const Pixel* dstRow, const Pixel* srcRow, int count, int p, int q,
             Rgb* out) {
  for (int x = 0; x < count; ++x) out[x] = Mode<M>(top[x * topStep], dstRow, srcRow, x, p, q);
}

template <std::size_t... I>
constexpr std::array<ModeProc, sizeof...(I)> MakeTable(std::index_sequence<I...>) {
  return {&Mode<static_cast<int>(I)>...};
}

template <std::size_t... I>
constexpr std::array<ModeRowProc, sizeof...(I)> MakeRowTable(std::index_sequence<I...>) {
  return {&ModeRow<static_cast<int>(I)>...};
}

constexpr auto kModeTable = MakeTable(std::make_index_sequence<kBlendModeCount>{});
constexpr auto kModeRowTable = MakeRowTable(std::make_index_sequence<kBlendModeCount>{});

}  // namespace

ModeProc BlendModeProc(int n) {
  if (n < 0 || n >= kBlendModeCount) return nullptr;
  return kModeTable[static_cast<std::size_t>(n)];
}

ModeRowProc BlendModeRowProc(int n) {
  if (n < 0 || n >= kBlendModeCount) return nullptr;
  return kModeRowTable[static_cast<std::size_t>(n)];
}

bool BlendModeSeparable(int n) {
  switch (n) {
    case 1: case 4: case 19: case 21: case 23: case 24: case 25: return false;
    default: return n >= 0 && n < kBlendModeCount;
  }
}

bool EffectModeSeparable(int n) {
  switch (n) {
    case 1: case 4: case 21: case 23: return false;
    default: return n >= 0 && n < kBlendModeCount;
  }
}

}  // namespace rv
