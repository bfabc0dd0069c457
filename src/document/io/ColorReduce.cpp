#include "document/io/ColorReduce.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace rv {

namespace {

struct ColorCount {
  std::uint32_t rgb;  // 0xRRGGBB
  std::uint32_t count;
};

int Channel(std::uint32_t rgb, int k) { return static_cast<int>((rgb >> (16 - 8 * k)) & 0xFFu); }

// Distinct colours with their pixel counts, sorted by colour.
std::vector<ColorCount> CountColors(const Bitmap& picture) {
  const std::size_t n = static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
  const Pixel* p = picture.Data();
  std::vector<ColorCount> out;
  if (n <= (std::size_t{1} << 20)) {
    std::vector<std::uint32_t> c(n);
    for (std::size_t i = 0; i < n; ++i) c[i] = p[i] & 0xFFFFFFu;
    std::sort(c.begin(), c.end());
    for (std::size_t i = 0; i < n;) {
      std::size_t j = i;
      while (j < n && c[j] == c[i]) ++j;
      out.push_back({c[i], static_cast<std::uint32_t>(j - i)});
      i = j;
    }
    return out;
  }
  // Large pictures: a count per 24-bit colour is cheaper than sorting.
  std::vector<std::uint32_t> hist(std::size_t{1} << 24, 0);
  for (std::size_t i = 0; i < n; ++i) ++hist[p[i] & 0xFFFFFFu];
  std::size_t distinct = 0;
  for (std::uint32_t h : hist) distinct += h != 0;
  out.reserve(distinct);
  for (std::uint32_t c = 0; c < hist.size(); ++c)
    if (hist[c]) out.push_back({c, hist[c]});
  return out;
}

struct Box {
  std::size_t begin = 0, end = 0;  // range of the colour list
  std::uint64_t count = 0;
  std::array<std::uint64_t, 3> sum{};
  std::array<double, 3> sq{};  // squared error per channel
  std::array<int, 3> lo{}, hi{};
  double error = 0;
  bool Splittable() const { return end - begin > 1; }
};

void Measure(Box& b, const std::vector<ColorCount>& colors) {
  std::array<std::uint64_t, 3> sumSq{};
  b.count = 0;
  b.sum = {};
  b.lo = {255, 255, 255};
  b.hi = {0, 0, 0};
  for (std::size_t i = b.begin; i < b.end; ++i) {
    const std::uint64_t c = colors[i].count;
    b.count += c;
    for (int k = 0; k < 3; ++k) {
      const int v = Channel(colors[i].rgb, k);
      b.sum[static_cast<std::size_t>(k)] += c * static_cast<std::uint64_t>(v);
      sumSq[static_cast<std::size_t>(k)] += c * static_cast<std::uint64_t>(v * v);
      b.lo[static_cast<std::size_t>(k)] = std::min(b.lo[static_cast<std::size_t>(k)], v);
      b.hi[static_cast<std::size_t>(k)] = std::max(b.hi[static_cast<std::size_t>(k)], v);
    }
  }
  b.error = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const double s = static_cast<double>(b.sum[k]);
    b.sq[k] = std::max(0.0, static_cast<double>(sumSq[k]) - s * s / static_cast<double>(b.count));
    b.error += b.sq[k];
  }
}

// Splits b at the pixel median of its channel of largest error; b keeps the
// lower part, the upper part is returned. Both parts are non-empty.
Box Split(Box& b, std::vector<ColorCount>& colors, std::vector<ColorCount>& scratch) {
  int axis = -1;
  for (int k = 0; k < 3; ++k) {
    const auto ku = static_cast<std::size_t>(k);
    if (b.hi[ku] > b.lo[ku] && (axis < 0 || b.sq[ku] > b.sq[static_cast<std::size_t>(axis)])) axis = k;
  }
  // Distinct colours differ in some channel, so an axis always exists.
  std::array<std::uint64_t, 256> pixels{};
  std::array<std::size_t, 257> start{};
  for (std::size_t i = b.begin; i < b.end; ++i) {
    const auto v = static_cast<std::size_t>(Channel(colors[i].rgb, axis));
    pixels[v] += colors[i].count;
    ++start[v + 1];
  }
  for (std::size_t v = 0; v < 256; ++v) start[v + 1] += start[v];
  scratch.resize(b.end - b.begin);
  std::array<std::size_t, 256> at{};
  std::copy(start.begin(), start.end() - 1, at.begin());
  for (std::size_t i = b.begin; i < b.end; ++i) scratch[at[static_cast<std::size_t>(Channel(colors[i].rgb, axis))]++] = colors[i];
  std::copy(scratch.begin(), scratch.end(), colors.begin() + static_cast<std::ptrdiff_t>(b.begin));

  const int lo = b.lo[static_cast<std::size_t>(axis)];
  const int hi = b.hi[static_cast<std::size_t>(axis)];
  std::uint64_t cumulative = 0;
  int cut = lo;  // the lower part holds values <= cut
  for (int v = lo; v <= hi; ++v) {
    cumulative += pixels[static_cast<std::size_t>(v)];
    if (pixels[static_cast<std::size_t>(v)]) cut = v;
    if (2 * cumulative >= b.count) break;
  }
  if (cut == hi) {
    for (cut = hi - 1; pixels[static_cast<std::size_t>(cut)] == 0; --cut) {
    }
  }
  Box upper;
  upper.begin = b.begin + start[static_cast<std::size_t>(cut) + 1];
  upper.end = b.end;
  b.end = upper.begin;
  Measure(b, colors);
  Measure(upper, colors);
  return upper;
}

Pixel MeanColor(const Box& b) {
  int c[3];
  for (std::size_t k = 0; k < 3; ++k) c[k] = static_cast<int>((b.sum[k] + b.count / 2) / b.count);
  return MakePixel(c[0], c[1], c[2]);
}

int Square(int v) { return v * v; }

}  // namespace

std::vector<Pixel> MedianCutPalette(const Bitmap& picture, int maxColors) {
  if (maxColors < 1 || maxColors > 256) throw std::invalid_argument("palette size must be 1..256");
  if (picture.Empty()) return {};
  std::vector<ColorCount> colors = CountColors(picture);
  std::vector<Pixel> palette;
  if (colors.size() <= static_cast<std::size_t>(maxColors)) {
    for (const ColorCount& c : colors)
      palette.push_back(MakePixel(Channel(c.rgb, 0), Channel(c.rgb, 1), Channel(c.rgb, 2)));
    return palette;
  }
  std::vector<Box> boxes(1);
  boxes[0].begin = 0;
  boxes[0].end = colors.size();
  Measure(boxes[0], colors);
  std::vector<ColorCount> scratch;
  while (boxes.size() < static_cast<std::size_t>(maxColors)) {
    std::size_t worst = boxes.size();
    for (std::size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].Splittable() && (worst == boxes.size() || boxes[i].error > boxes[worst].error)) worst = i;
    if (worst == boxes.size()) break;
    Box upper = Split(boxes[worst], colors, scratch);
    boxes.push_back(upper);
  }
  for (const Box& b : boxes) palette.push_back(MeanColor(b));
  return palette;
}

NearestColor::NearestColor(std::vector<Pixel> palette)
    : palette_(std::move(palette)), cellStart_(32768, -1), cellCount_(32768, 0) {
  if (palette_.empty() || palette_.size() > 256) throw std::invalid_argument("palette size must be 1..256");
}

void NearestColor::BuildCell(int cell) {
  const int lo[3] = {(cell >> 10) << 3, ((cell >> 5) & 31) << 3, (cell & 31) << 3};
  std::array<int, 256> nearSq{};
  int threshold = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette_.size(); ++i) {
    const int c[3] = {PixelRed(palette_[i]), PixelGreen(palette_[i]), PixelBlue(palette_[i])};
    int dmin = 0, dmax = 0;
    for (int k = 0; k < 3; ++k) {
      const int a = lo[k], b = lo[k] + 7;
      if (c[k] < a) dmin += Square(a - c[k]);
      else if (c[k] > b) dmin += Square(c[k] - b);
      dmax += Square(std::max(c[k] - a, b - c[k]));
    }
    nearSq[i] = dmin;
    threshold = std::min(threshold, dmax);
  }
  // An entry farther from the whole cell than the best entry's farthest
  // corner is never the nearest to a colour in the cell.
  cellStart_[static_cast<std::size_t>(cell)] = static_cast<int>(candidates_.size());
  for (std::size_t i = 0; i < palette_.size(); ++i)
    if (nearSq[i] <= threshold) candidates_.push_back(static_cast<std::uint8_t>(i));
  cellCount_[static_cast<std::size_t>(cell)] =
      static_cast<std::uint16_t>(candidates_.size() - static_cast<std::size_t>(cellStart_[static_cast<std::size_t>(cell)]));
}

std::uint8_t NearestColor::Find(Pixel p) {
  const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
  const int cell = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
  if (cellStart_[static_cast<std::size_t>(cell)] < 0) BuildCell(cell);
  const std::uint8_t* c = candidates_.data() + cellStart_[static_cast<std::size_t>(cell)];
  const int n = cellCount_[static_cast<std::size_t>(cell)];
  std::uint8_t best = c[0];
  int bestSq = std::numeric_limits<int>::max();
  for (int i = 0; i < n; ++i) {
    const Pixel q = palette_[c[i]];
    const int d = Square(PixelRed(q) - r) + Square(PixelGreen(q) - g) + Square(PixelBlue(q) - b);
    if (d < bestSq) {
      bestSq = d;
      best = c[i];
    }
  }
  return best;
}

IndexedPicture ReduceColors(const Bitmap& picture, int maxColors) {
  IndexedPicture out;
  out.Width = picture.Width();
  out.Height = picture.Height();
  if (picture.Empty()) return out;
  out.Palette = MedianCutPalette(picture, maxColors);
  NearestColor nearest(out.Palette);
  const std::size_t n = static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height);
  out.Indices.resize(n);
  const Pixel* p = picture.Data();
  Pixel last = ~(p[0] & 0xFFFFFFu) & 0xFFFFFFu;
  std::uint8_t lastIndex = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Pixel c = p[i] & 0xFFFFFFu;
    if (c != last) {
      last = c;
      lastIndex = nearest.Find(c);
    }
    out.Indices[i] = lastIndex;
  }
  return out;
}

}  // namespace rv
