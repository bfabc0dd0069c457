// The window statistics: the per-pixel definitions and their incremental
// row-by-row versions.
#include <algorithm>
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/WindowRows.h"

namespace rv {

namespace {

struct Window {
  int left, right, top, bottom;
  int Count() const { return (right - left + 1) * (bottom - top + 1); }
};

// Both ends included, clipped to the pass.
Window ClipWindow(int x, int y, int r, int w, int h) {
  r = std::clamp(r, 0, std::max(w, h));
  return {std::max(0, x - r), std::min(w - 1, x + r), std::max(0, y - r), std::min(h - 1, y + r)};
}

// A radius beyond the pass's extent gives the same clipped windows as the extent.
inline int Reach(int r, int extent) { return std::clamp(r, 0, std::max(extent - 1, 0)); }

}  // namespace

Rgb WindowAverage(const Bitmap& src, int x, int y, int r, int w, int h) {
  const Window win = ClipWindow(x, y, r, w, h);
  long long sr = 0, sg = 0, sb = 0;
  for (int j = win.top; j <= win.bottom; ++j)
    for (int i = win.left; i <= win.right; ++i) {
      const Pixel p = src.Row(j)[i];
      sr += PixelRed(p);
      sg += PixelGreen(p);
      sb += PixelBlue(p);
    }
  const long long n = win.Count();
  return {static_cast<int>(sr / n), static_cast<int>(sg / n), static_cast<int>(sb / n)};
}

Rgb WindowMinimum(const Bitmap& src, int x, int y, int r, int w, int h) {
  const Window win = ClipWindow(x, y, r, w, h);
  Rgb m{255, 255, 255};
  for (int j = win.top; j <= win.bottom; ++j)
    for (int i = win.left; i <= win.right; ++i) {
      const Pixel p = src.Row(j)[i];
      m = {std::min(m.r, PixelRed(p)), std::min(m.g, PixelGreen(p)), std::min(m.b, PixelBlue(p))};
    }
  return m;
}

Rgb WindowMaximum(const Bitmap& src, int x, int y, int r, int w, int h) {
  const Window win = ClipWindow(x, y, r, w, h);
  Rgb m{0, 0, 0};
  for (int j = win.top; j <= win.bottom; ++j)
    for (int i = win.left; i <= win.right; ++i) {
      const Pixel p = src.Row(j)[i];
      m = {std::max(m.r, PixelRed(p)), std::max(m.g, PixelGreen(p)), std::max(m.b, PixelBlue(p))};
    }
  return m;
}

Rgb WindowMedian(const Bitmap& src, int x, int y, int r, int w, int h) {
  const Window win = ClipWindow(x, y, r, w, h);
  const int n = win.Count();
  std::vector<int> lists[3];
  for (auto& l : lists) l.reserve(static_cast<std::size_t>(n));
  for (int j = win.top; j <= win.bottom; ++j)
    for (int i = win.left; i <= win.right; ++i) {
      const Pixel p = src.Row(j)[i];
      lists[0].push_back(PixelRed(p));
      lists[1].push_back(PixelGreen(p));
      lists[2].push_back(PixelBlue(p));
    }
  // Sorted by counting: each level written as many times as it occurs.
  int result[3];
  for (int c = 0; c < 3; ++c) {
    std::array<int, 256> hist{};
    for (int v : lists[c]) ++hist[static_cast<std::size_t>(v)];
    std::size_t k = 0;
    for (int level = 0; level < 256; ++level)
      for (int t = 0; t < hist[static_cast<std::size_t>(level)]; ++t) lists[c][k++] = level;
    result[c] = lists[c][static_cast<std::size_t>(MedianPosition(n))];
  }
  return {result[0], result[1], result[2]};
}

// ---------------------------------------------------------------------------

namespace {

// q = n / d for 0 <= n <= 255 d and d <= 4096, by one multiplication: with
// M = 2^32 / d + 1 the error n (M d - 2^32) / 2^32 stays below 1 / d.
struct Divider {
  std::vector<std::uint64_t> magic;
  explicit Divider(int maxDivisor) : magic(static_cast<std::size_t>(maxDivisor) + 1) {
    for (int d = 1; d <= maxDivisor; ++d) magic[static_cast<std::size_t>(d)] = (std::uint64_t{1} << 32) / d + 1;
  }
};
constexpr int kMagicLimit = 4096;
const Divider& Magic() {
  static const Divider d(kMagicLimit);
  return d;
}

}  // namespace

AverageRows::AverageRows(const Bitmap& src, int radius, int w, int h)
    : src_(src), w_(w), h_(h), rh_(Reach(radius, w)), rv_(Reach(radius, h)) {
  for (auto& c : col_) c.assign(static_cast<std::size_t>(w), 0);
  for (auto& p : prefix_) p.assign(static_cast<std::size_t>(w) + 1, 0);
}

void AverageRows::AddRow(int y, int sign) {
  const Pixel* row = src_.Row(y);
  std::int64_t* r = col_[0].data();
  std::int64_t* g = col_[1].data();
  std::int64_t* b = col_[2].data();
  for (int x = 0; x < w_; ++x) {
    const Pixel p = row[x];
    r[x] += sign * PixelRed(p);
    g[x] += sign * PixelGreen(p);
    b[x] += sign * PixelBlue(p);
  }
}

void AverageRows::Fill(int y, Pixel* out) {
  const int top = std::max(0, y - rv_), bottom = std::min(h_ - 1, y + rv_);
  while (bottom_ < bottom) AddRow(++bottom_, 1);
  while (top_ < top) AddRow(top_++, -1);
  const int rows = bottom - top + 1;
  for (int c = 0; c < 3; ++c) {
    std::int64_t* p = prefix_[c].data();
    const std::int64_t* s = col_[c].data();
    for (int x = 0; x < w_; ++x) p[x + 1] = p[x] + s[x];
  }
  const std::int64_t* pr = prefix_[0].data();
  const std::int64_t* pg = prefix_[1].data();
  const std::int64_t* pb = prefix_[2].data();
  const std::uint64_t* magic = Magic().magic.data();
  auto divide = [magic](std::int64_t n, int d) -> Pixel {
    if (d <= kMagicLimit) return static_cast<Pixel>((static_cast<std::uint64_t>(n) * magic[d]) >> 32);
    return static_cast<Pixel>(n / d);
  };
  for (int x = 0; x < w_; ++x) {
    const int left = std::max(0, x - rh_), right = std::min(w_ - 1, x + rh_);
    const int n = (right - left + 1) * rows;
    out[x] = (divide(pr[right + 1] - pr[left], n) << 16) | (divide(pg[right + 1] - pg[left], n) << 8) |
             divide(pb[right + 1] - pb[left], n);
  }
}

// ---------------------------------------------------------------------------

ExtremeRows::ExtremeRows(const Bitmap& src, int radius, int w, int h, bool maximum)
    : src_(src), w_(w), h_(h), rh_(Reach(radius, w)), rv_(Reach(radius, h)), max_(maximum) {
  bytes_ = static_cast<std::size_t>(w) * 4;
  const std::uint8_t id = maximum ? 0 : 255;
  identity_.assign(bytes_, id);
  suffix_.assign(bytes_ * static_cast<std::size_t>(2 * rv_ + 1), id);
  prefix_.assign(bytes_, id);
  vert_.assign(bytes_, id);
  const std::size_t padded = (static_cast<std::size_t>(w) + 2 * static_cast<std::size_t>(rh_)) * 4;
  pad_.assign(padded, id);
  g_.assign(padded, id);
  s_.assign(padded, id);
}

// Row p of the picture padded by rv rows of the identity above and below.
const std::uint8_t* ExtremeRows::PaddedRow(int p) const {
  const int y = p - rv_;
  if (y < 0 || y >= h_) return identity_.data();
  return reinterpret_cast<const std::uint8_t*>(src_.Row(y));
}

namespace {

template <bool Max>
inline void Combine(std::uint8_t* dst, const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) dst[i] = Max ? std::max(a[i], b[i]) : std::min(a[i], b[i]);
}
inline void Combine(bool max, std::uint8_t* dst, const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
  if (max)
    Combine<true>(dst, a, b, n);
  else
    Combine<false>(dst, a, b, n);
}

// Prefix and suffix extremes within blocks of k pixels (4 bytes each), then
// the extreme of the window [x, x + k) as the suffix at x and the prefix at x + k - 1.
template <bool Max>
void HorizontalPass(const std::uint8_t* pad, std::uint8_t* g, std::uint8_t* s, std::size_t n, std::size_t k,
                    std::size_t w, Pixel* out) {
  auto op = [](std::uint8_t a, std::uint8_t b) { return Max ? std::max(a, b) : std::min(a, b); };
  for (std::size_t start = 0; start < n; start += k) {
    const std::size_t end = std::min(start + k, n);
    std::memcpy(g + start * 4, pad + start * 4, 4);
    for (std::size_t i = start + 1; i < end; ++i)
      for (std::size_t c = 0; c < 3; ++c) g[i * 4 + c] = op(g[(i - 1) * 4 + c], pad[i * 4 + c]);
    std::memcpy(s + (end - 1) * 4, pad + (end - 1) * 4, 4);
    for (std::size_t i = end - 1; i > start; --i)
      for (std::size_t c = 0; c < 3; ++c) s[(i - 1) * 4 + c] = op(s[i * 4 + c], pad[(i - 1) * 4 + c]);
  }
  for (std::size_t x = 0; x < w; ++x) {
    const std::uint8_t* a = s + x * 4;
    const std::uint8_t* b = g + (x + k - 1) * 4;
    out[x] = (static_cast<Pixel>(op(a[2], b[2])) << 16) | (static_cast<Pixel>(op(a[1], b[1])) << 8) |
             static_cast<Pixel>(op(a[0], b[0]));
  }
}

}  // namespace

void ExtremeRows::Horizontal(const std::uint8_t* v, Pixel* out) {
  std::memcpy(pad_.data() + static_cast<std::size_t>(rh_) * 4, v, bytes_);
  const std::size_t n = static_cast<std::size_t>(w_) + 2 * static_cast<std::size_t>(rh_);
  const std::size_t k = 2 * static_cast<std::size_t>(rh_) + 1;
  if (max_)
    HorizontalPass<true>(pad_.data(), g_.data(), s_.data(), n, k, static_cast<std::size_t>(w_), out);
  else
    HorizontalPass<false>(pad_.data(), g_.data(), s_.data(), n, k, static_cast<std::size_t>(w_), out);
}

void ExtremeRows::Fill(int y, Pixel* out) {
  // Output row y takes padded rows [y, y + k): the suffix of y's block and
  // the prefix of the next block up to y + k - 1.
  const int k = 2 * rv_ + 1;
  const int block = y / k;
  const int base = block * k;
  if (block != block_) {
    std::memcpy(suffix_.data() + static_cast<std::size_t>(k - 1) * bytes_, PaddedRow(base + k - 1), bytes_);
    for (int i = k - 2; i >= 0; --i)
      Combine(max_, suffix_.data() + static_cast<std::size_t>(i) * bytes_, PaddedRow(base + i),
              suffix_.data() + static_cast<std::size_t>(i + 1) * bytes_, bytes_);
    block_ = block;
    prefixEnd_ = -1;
  }
  if (y == base) {
    Horizontal(suffix_.data(), out);
    return;
  }
  const int next = base + k;
  const int target = y + k - 1;
  while (prefixEnd_ < target) {
    if (prefixEnd_ < next) {
      prefixEnd_ = next;
      std::memcpy(prefix_.data(), PaddedRow(next), bytes_);
    } else {
      ++prefixEnd_;
      Combine(max_, prefix_.data(), prefix_.data(), PaddedRow(prefixEnd_), bytes_);
    }
  }
  Combine(max_, vert_.data(), suffix_.data() + static_cast<std::size_t>(y - base) * bytes_, prefix_.data(), bytes_);
  Horizontal(vert_.data(), out);
}

// ---------------------------------------------------------------------------

bool MedianRows::Supports(int radius, int w, int h) {
  const long long side = 2LL * Reach(radius, w) + 1, height = 2LL * Reach(radius, h) + 1;
  return side * height <= 65535;
}

namespace {
constexpr int kBandRows = 64;
constexpr int kStripColumns = 128;
}  // namespace

MedianRows::MedianRows(const Bitmap& src, int radius, int w, int h)
    : src_(src), w_(w), h_(h), rh_(Reach(radius, w)), rv_(Reach(radius, h)) {
  band_.assign(static_cast<std::size_t>(w) * kBandRows, 0);
  const std::size_t cols = static_cast<std::size_t>(std::min(w, kStripColumns + 2 * rh_));
  fine_.assign(cols * 256, 0);
  coarse_.assign(cols * 16, 0);
}

void MedianRows::AddRow(int y, int c, int sign) {
  const Pixel* row = src_.Row(y) + first_;
  const std::uint16_t d = static_cast<std::uint16_t>(sign);  // wraps for -1
  const int shift = 16 - 8 * c;
  const std::size_t cols = static_cast<std::size_t>(cols_);
  std::uint16_t* fine = fine_.data();
  std::uint16_t* coarse = coarse_.data();
  for (std::size_t x = 0; x < cols; ++x) {
    const unsigned v = (row[x] >> shift) & 0xFFu;
    std::uint16_t& f = fine[((v >> 4) * cols + x) * 16 + (v & 15u)];
    f = static_cast<std::uint16_t>(f + d);
    std::uint16_t& g = coarse[x * 16 + (v >> 4)];
    g = static_cast<std::uint16_t>(g + d);
  }
}

namespace {

inline void Add16(std::uint16_t* __restrict dst, const std::uint16_t* __restrict src) {
  for (int i = 0; i < 16; ++i) dst[i] = static_cast<std::uint16_t>(dst[i] + src[i]);
}
inline void Sub16(std::uint16_t* __restrict dst, const std::uint16_t* __restrict src) {
  for (int i = 0; i < 16; ++i) dst[i] = static_cast<std::uint16_t>(dst[i] - src[i]);
}

// The first of 16 bins at which the running count passes k (k below the
// bins' total); the counts of the bins before it are added to cum.
inline int FirstAbove(const std::uint16_t* bins, int k, int& cum) {
  int b = 0;
  while (cum + bins[b] <= k) cum += bins[b++];
  return b;
}

#if defined(__SSE2__)
// The same without a data-dependent loop: prefix sums of the 16 bins and a
// count of those not above k. Signed 16-bit lanes: totals below 32768 only.
inline int FirstAboveSse(const std::uint16_t* bins, int k, int& cum) {
  __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bins));
  __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bins + 8));
  lo = _mm_add_epi16(lo, _mm_slli_si128(lo, 2));
  hi = _mm_add_epi16(hi, _mm_slli_si128(hi, 2));
  lo = _mm_add_epi16(lo, _mm_slli_si128(lo, 4));
  hi = _mm_add_epi16(hi, _mm_slli_si128(hi, 4));
  lo = _mm_add_epi16(lo, _mm_slli_si128(lo, 8));
  hi = _mm_add_epi16(hi, _mm_slli_si128(hi, 8));
  hi = _mm_add_epi16(hi, _mm_set1_epi16(static_cast<short>(_mm_extract_epi16(lo, 7))));
  const __m128i limit = _mm_set1_epi16(static_cast<short>(k - cum));
  const unsigned above = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi16(lo, limit))) |
                         (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi16(hi, limit))) << 16);
  // The prefix sums only grow, so the lanes above k are the last ones; the
  // total is above k, so at least the last lane is.
  const int b = __builtin_ctz(above) / 2;
  if (b > 0) {
    alignas(16) std::uint16_t prefix[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(prefix), lo);
    _mm_store_si128(reinterpret_cast<__m128i*>(prefix + 8), hi);
    cum += prefix[b - 1];
  }
  return b;
}
#endif

}  // namespace

void MedianRows::Slide(int y, int c, int rows) {
  const int rh = rh_;
#if defined(__SSE2__)
  if (static_cast<long long>(2 * rh + 1) * rows < 32768) {
    SlideWith<true>(y, c, rows);
    return;
  }
#endif
  SlideWith<false>(y, c, rows);
}

template <bool Sse>
void MedianRows::SlideWith(int y, int c, int rows) {
  auto find = [](const std::uint16_t* bins, int k, int& cum) {
#if defined(__SSE2__)
    if (Sse) return FirstAboveSse(bins, k, cum);
#endif
    return FirstAbove(bins, k, cum);
  };
  const int w = w_, rh = rh_, span = 2 * rh + 1;
  const std::size_t cols = static_cast<std::size_t>(cols_);
  const std::uint16_t* colFine = fine_.data();
  const std::uint16_t* colCoarse = coarse_.data();
  auto at = [&](int x) { return static_cast<std::size_t>(x - first_); };  // histogram column of picture column x
  alignas(16) std::uint16_t coarse[16] = {};
  alignas(16) std::uint16_t fine[256] = {};
  int updated[16];  // column at which each coarse bin's fine bins were last brought up to date
  for (int& u : updated) u = xs_ - span - 2;
  for (int x = std::max(0, xs_ - rh); x <= std::min(w - 1, xs_ + rh); ++x) Add16(coarse, colCoarse + at(x) * 16);
  const int shift = 16 - 8 * c;
  Pixel* out = band_.data() + static_cast<std::size_t>(y - bandStart_) * static_cast<std::size_t>(w);
  for (int x = xs_; x < xe_; ++x) {
    if (x > xs_) {
      if (x + rh < w) Add16(coarse, colCoarse + at(x + rh) * 16);
      if (x - rh - 1 >= 0) Sub16(coarse, colCoarse + at(x - rh - 1) * 16);
    }
    const int left = std::max(0, x - rh), right = std::min(w - 1, x + rh);
    const int k = MedianPosition((right - left + 1) * rows);
    int cum = 0;
    const int b = find(coarse, k, cum);
    std::uint16_t* seg = fine + b * 16;
    const std::uint16_t* plane = colFine + static_cast<std::size_t>(b) * cols * 16;
    if (2 * (x - updated[b]) >= span) {
      for (int i = 0; i < 16; ++i) seg[i] = 0;
      for (int col = left; col <= right; ++col) Add16(seg, plane + at(col) * 16);
    } else {
      for (int xx = updated[b] + 1; xx <= x; ++xx) {
        if (xx + rh < w) Add16(seg, plane + at(xx + rh) * 16);
        if (xx - rh - 1 >= 0) Sub16(seg, plane + at(xx - rh - 1) * 16);
      }
    }
    updated[b] = x;
    const int v = find(seg, k, cum);
    out[x] |= static_cast<Pixel>(b * 16 + v) << shift;
  }
}

void MedianRows::ComputeBand(int y0) {
  bandStart_ = y0;
  bandEnd_ = std::min(h_, y0 + kBandRows);
  std::fill(band_.begin(), band_.end(), 0);
  for (int xs = 0; xs < w_; xs += kStripColumns) {
    xs_ = xs;
    xe_ = std::min(w_, xs + kStripColumns);
    first_ = std::max(0, xs - rh_);
    cols_ = std::min(w_ - 1, xe_ - 1 + rh_) - first_ + 1;
    for (int c = 0; c < 3; ++c) {
      std::fill(fine_.begin(), fine_.end(), 0);
      std::fill(coarse_.begin(), coarse_.end(), 0);
      int top = std::max(0, y0 - rv_), bottom = top - 1;
      for (int y = y0; y < bandEnd_; ++y) {
        const int wantTop = std::max(0, y - rv_), wantBottom = std::min(h_ - 1, y + rv_);
        while (bottom < wantBottom) AddRow(++bottom, c, 1);
        while (top < wantTop) AddRow(top++, c, -1);
        Slide(y, c, bottom - top + 1);
      }
    }
  }
}

void MedianRows::Fill(int y, Pixel* out) {
  if (y >= bandEnd_ || y < bandStart_) ComputeBand(y);
  const Pixel* row = band_.data() + static_cast<std::size_t>(y - bandStart_) * static_cast<std::size_t>(w_);
  std::copy(row, row + w_, out);
}

// ---------------------------------------------------------------------------

namespace {

// Batcher's odd-even merge sort for n (a power of two) inputs, cut down to the
// steps that reach output `wanted`, with the inputs from `real` on set to the
// largest value (they stay at the top and never move below).
std::vector<std::pair<std::uint8_t, std::uint8_t>> SelectionNetwork(int n, int real, int wanted) {
  std::vector<std::pair<int, int>> all;
  for (int p = 1; p < n; p *= 2)
    for (int k = p; k >= 1; k /= 2)
      for (int j = k % p; j <= n - 1 - k; j += 2 * k)
        for (int i = 0; i <= std::min(k - 1, n - j - k - 1); ++i)
          if ((i + j) / (p * 2) == (i + j + k) / (p * 2)) all.push_back({i + j, i + j + k});
  // A step whose upper input is a padding maximum changes nothing.
  std::vector<bool> padding(static_cast<std::size_t>(n), false);
  for (int i = real; i < n; ++i) padding[static_cast<std::size_t>(i)] = true;
  std::vector<std::pair<int, int>> useful;
  for (auto [lo, hi] : all) {
    if (padding[static_cast<std::size_t>(hi)]) continue;
    if (padding[static_cast<std::size_t>(lo)]) {
      padding[static_cast<std::size_t>(lo)] = false;
      padding[static_cast<std::size_t>(hi)] = true;
    }
    useful.push_back({lo, hi});
  }
  std::vector<bool> needed(static_cast<std::size_t>(n), false);
  needed[static_cast<std::size_t>(wanted)] = true;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> kept;
  for (auto it = useful.rbegin(); it != useful.rend(); ++it) {
    if (!needed[static_cast<std::size_t>(it->first)] && !needed[static_cast<std::size_t>(it->second)]) continue;
    needed[static_cast<std::size_t>(it->first)] = needed[static_cast<std::size_t>(it->second)] = true;
    kept.push_back({static_cast<std::uint8_t>(it->first), static_cast<std::uint8_t>(it->second)});
  }
  std::reverse(kept.begin(), kept.end());
  return kept;
}

constexpr int kChunk = 64;

}  // namespace

bool SmallMedianRows::Supports(int radius, int w, int h) {
  return (radius == 1 || radius == 2) && w >= 2 * radius + 1 && h >= 1;
}

SmallMedianRows::SmallMedianRows(const Bitmap& src, int radius, int w, int h)
    : src_(src), w_(w), h_(h), r_(radius), side_(2 * radius + 1) {
  const int n = side_ * side_;
  lanes_ = n <= 16 ? 16 : 32;
  network_ = SelectionNetwork(lanes_, n, MedianPosition(n));
  planes_.assign(static_cast<std::size_t>(side_) * 3 * static_cast<std::size_t>(w), 0);
  work_.assign(static_cast<std::size_t>(lanes_) * kChunk, 255);
}

Pixel SmallMedianRows::Border(int x, int y) const {
  const Window win = ClipWindow(x, y, r_, w_, h_);
  std::uint8_t v[3][25];
  int n = 0;
  for (int j = win.top; j <= win.bottom; ++j)
    for (int i = win.left; i <= win.right; ++i, ++n) {
      const Pixel p = src_.Row(j)[i];
      v[0][n] = static_cast<std::uint8_t>(PixelRed(p));
      v[1][n] = static_cast<std::uint8_t>(PixelGreen(p));
      v[2][n] = static_cast<std::uint8_t>(PixelBlue(p));
    }
  const int k = MedianPosition(n);
  int m[3];
  for (int c = 0; c < 3; ++c) {
    std::nth_element(v[c], v[c] + k, v[c] + n);
    m[c] = v[c][k];
  }
  return MakePixel(m[0], m[1], m[2]);
}

void SmallMedianRows::Fill(int y, Pixel* out) {
  const int r = r_, w = w_;
  if (y < r || y >= h_ - r) {
    for (int x = 0; x < w; ++x) out[x] = Border(x, y);
    return;
  }
  const std::size_t W = static_cast<std::size_t>(w);
  while (loaded_ < y + r) {  // planar copies of the window's rows, in a ring
    ++loaded_;
    std::uint8_t* p = planes_.data() + static_cast<std::size_t>(loaded_ % side_) * 3 * W;
    const Pixel* row = src_.Row(loaded_);
    for (std::size_t x = 0; x < W; ++x) {
      p[x] = static_cast<std::uint8_t>(PixelRed(row[x]));
      p[W + x] = static_cast<std::uint8_t>(PixelGreen(row[x]));
      p[2 * W + x] = static_cast<std::uint8_t>(PixelBlue(row[x]));
    }
  }
  for (int x = 0; x < r; ++x) out[x] = Border(x, y);
  for (int x = w - r; x < w; ++x) out[x] = Border(x, y);
  const int wanted = MedianPosition(side_ * side_);
  for (int x0 = r; x0 < w - r; x0 += kChunk) {
    const int len = std::min(kChunk, w - r - x0);
    for (int x = 0; x < len; ++x) out[x0 + x] = 0;
    for (int c = 0; c < 3; ++c) {
      // The inputs beyond the window start as the largest value each time.
      std::fill(work_.begin() + static_cast<std::ptrdiff_t>(side_ * side_) * kChunk, work_.end(), 255);
      int lane = 0;
      for (int dy = -r; dy <= r; ++dy) {
        const std::uint8_t* plane =
            planes_.data() + (static_cast<std::size_t>((y + dy) % side_) * 3 + static_cast<std::size_t>(c)) * W;
        for (int dx = -r; dx <= r; ++dx, ++lane)
          std::copy(plane + x0 + dx, plane + x0 + dx + len, work_.data() + static_cast<std::size_t>(lane) * kChunk);
      }
      std::uint8_t* wk = work_.data();
      for (auto [lo, hi] : network_) {
        std::uint8_t* __restrict a = wk + static_cast<std::size_t>(lo) * kChunk;
        std::uint8_t* __restrict b = wk + static_cast<std::size_t>(hi) * kChunk;
        for (int i = 0; i < kChunk; ++i) {
          const std::uint8_t lo8 = std::min(a[i], b[i]), hi8 = std::max(a[i], b[i]);
          a[i] = lo8;
          b[i] = hi8;
        }
      }
      const std::uint8_t* m = wk + static_cast<std::size_t>(wanted) * kChunk;
      const int shift = 16 - 8 * c;
      for (int x = 0; x < len; ++x) out[x0 + x] |= static_cast<Pixel>(m[x]) << shift;
    }
  }
}

}  // namespace rv
