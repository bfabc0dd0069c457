// Feathering: every unselected pixel near the selection is drawn towards the
// plain average colour of the selected pixels of its window, by 100 % less
// 100 / d per pixel of distance to the nearest selected one.
#include <algorithm>
#include <cmath>
#include <vector>

#include "filters/kernels/NeighbourKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& FeatherFilter() {
  static const FilterDecl decl{
      .Stem = "Feather",
      .DialogClass = "TFormFeather",
      .MenuCaption = "Wtapianie...",
      .Menu = "Zaznaczenie",
      .DialogCaption = "Opcje wtapiania",
      .HistoryLabel = "Wtapianie",
      .PreviewHalfSize = 0,
      .HasTryb = false,
      .HasTypeBox = false,
      .HasTransparency = false,
      .Controls = {Track("Power", "Moc:", 2, 60, 4)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyFeather(a, v.Get("Power")); },
      .Summary = "Feathering: unselected pixels near the selection blend towards its local average colour.",
      .Description = "Wtapianie: niezaznaczone piksele w pobliżu zaznaczenia przyjmują średni kolor zaznaczonych "
                     "sąsiadów, tym silniej, im są bliżej (do Moc pikseli).",
      .Example = {"--set", "Power=12"},
      .ExampleWithSelection = true,
  };
  return decl;
}

Neighbourhood SelectionNeighbourhood(const Bitmap& src, int x, int y, int d, int w, int h, const MaskView& mask) {
  Neighbourhood nb;
  nb.Nearest = static_cast<long long>(d) * d;
  const int reach = std::min(d, std::max(w, h));  // a window beyond the picture is clipped anyway
  if (reach < 0) return nb;
  const int left = std::max(0, x - reach), right = std::min(w - 1, x + reach);
  const int top = std::max(0, y - reach), bottom = std::min(h - 1, y + reach);
  long long sr = 0, sg = 0, sb = 0, count = 0;
  for (int j = top; j <= bottom; ++j) {
    const std::uint8_t* m = mask.Row(j);
    const Pixel* row = src.Row(j);
    for (int i = left; i <= right; ++i) {
      if (m[i] == 0) continue;
      const long long dx = i - x, dy = j - y;
      const long long t = static_cast<long long>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
      if (t < nb.Nearest) nb.Nearest = t;
      sr += PixelRed(row[i]);
      sg += PixelGreen(row[i]);
      sb += PixelBlue(row[i]);
      ++count;
    }
  }
  if (count > 0) {
    nb.Found = true;
    nb.Average = {static_cast<int>(sr / count), static_cast<int>(sg / count), static_cast<int>(sb / count)};
  }
  return nb;
}

namespace {

// The mix of one feathered pixel: o % of the average, the rest of the source.
void StoreFeathered(CPixelEngine& e, Pixel* dstRow, int x, Pixel s, Rgb average, long long nearest, int d) {
  long long l = static_cast<long long>(static_cast<double>(nearest) * 100.0 /
                                       std::sqrt(static_cast<double>(d) * static_cast<double>(d)));
  if (l > 100) l = 100;
  const int o = 100 - static_cast<int>(l);
  const float wa = Percent(o), ws = Percent(100 - o);
  auto mix = [&](int avg, int src) {
    return static_cast<int>(static_cast<double>(avg) * wa + static_cast<double>(src) * ws);
  };
  int r = mix(average.r, PixelRed(s)), g = mix(average.g, PixelGreen(s)), b = mix(average.b, PixelBlue(s));
  ClampRgb(r, g, b);
  e.ColorR = r;
  e.ColorG = g;
  e.ColorB = b;
  e.Store(dstRow, x, r, g, b);
}

bool EnterRow(const KernelArgs& a) {
  if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
  return !a.Engine.Cancelled;
}

void BeginFeather(const KernelArgs& a) {
  a.Engine.SelectStore(a.Ctx.ActiveChannel);
  if (a.Ctx.Progress) a.Ctx.Progress->SetMaximum(a.Height);
}

void FeatherPlain(const KernelArgs& a, int d) {
  BeginFeather(a);
  const MaskView mask(a);
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!EnterRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      if (m[x] != 0) continue;
      const Neighbourhood nb = SelectionNeighbourhood(a.Src, x, y, d, a.Width, a.Height, mask);
      if (!nb.Found) continue;
      StoreFeathered(a.Engine, dstRow, x, srcRow[x], nb.Average, nb.Nearest, d);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

inline long long FloorDiv(long long n, long long q) { return n >= 0 ? n / q : -((-n + q - 1) / q); }

// Squared distance along the row to the nearest selected pixel, given g, the
// vertical distance to the nearest selected pixel of each column (the lower
// envelope of the parabolas (x - i)^2 + g(i)^2, after Meijster et al.).
void RowDistances(const std::vector<long long>& g, int w, std::vector<int>& s, std::vector<int>& t,
                  std::vector<long long>& out) {
  auto f = [&](long long x, int i) { return (x - i) * (x - i) + g[static_cast<std::size_t>(i)] * g[static_cast<std::size_t>(i)]; };
  auto sep = [&](int i, int u) {
    const long long gi = g[static_cast<std::size_t>(i)], gu = g[static_cast<std::size_t>(u)];
    return FloorDiv(static_cast<long long>(u) * u - static_cast<long long>(i) * i + gu * gu - gi * gi,
                    2 * static_cast<long long>(u - i));
  };
  int q = 0;
  s[0] = 0;
  t[0] = 0;
  for (int u = 1; u < w; ++u) {
    while (q >= 0 && f(t[static_cast<std::size_t>(q)], s[static_cast<std::size_t>(q)]) > f(t[static_cast<std::size_t>(q)], u)) --q;
    if (q < 0) {
      q = 0;
      s[0] = u;
    } else {
      const long long start = 1 + sep(s[static_cast<std::size_t>(q)], u);
      if (start < w) {
        ++q;
        s[static_cast<std::size_t>(q)] = u;
        t[static_cast<std::size_t>(q)] = static_cast<int>(start);
      }
    }
  }
  for (int u = w - 1; u >= 0; --u) {
    out[static_cast<std::size_t>(u)] = f(u, s[static_cast<std::size_t>(q)]);
    if (u == t[static_cast<std::size_t>(q)]) --q;
  }
}

}  // namespace

void ApplyFeather(const KernelArgs& args, int d) {
  const KernelArgs a = ClampedArgs(args);
  // The vertical distances are kept in 16 bits; farther reaches take the plain path.
  if (a.Ctx.PlainPath || d > 60000) {
    FeatherPlain(a, d);
    return;
  }
  BeginFeather(a);
  const int w = a.Width, h = a.Height;
  const MaskView mask(a);
  if (d <= 0 || w == 0) {  // no window reaches beyond the pixel itself
    for (int y = 0; y < h; ++y)
      if (!EnterRow(a)) return;
    CPixelEngine::EndRun(a.Ctx.Progress);
    return;
  }
  const std::size_t W = static_cast<std::size_t>(w);
  const long long far = static_cast<long long>(d) * d;
  // Distances of d or more leave a pixel as it is, so columns count up to d only.
  const std::uint16_t cap = static_cast<std::uint16_t>(d);
  std::vector<std::uint16_t> below(W * static_cast<std::size_t>(h));
  {
    std::vector<std::uint16_t> run(W, cap);
    for (int y = h - 1; y >= 0; --y) {
      const std::uint8_t* m = mask.Row(y);
      std::uint16_t* b = below.data() + static_cast<std::size_t>(y) * W;
      for (std::size_t x = 0; x < W; ++x) {
        run[x] = m[x] != 0 ? 0 : static_cast<std::uint16_t>(std::min<int>(run[x] + 1, cap));
        b[x] = run[x];
      }
    }
  }
  std::vector<std::uint16_t> above(W, cap);
  std::vector<long long> g(W), dist(W);
  std::vector<int> envS(W), envT(W);
  // Running column sums of the selected pixels over the window's rows: count, red, green, blue.
  std::vector<long long> col[4], prefix[4];
  for (auto& c : col) c.assign(W, 0);
  for (auto& p : prefix) p.assign(W + 1, 0);
  const int rv = std::min(d, h - 1), rh = std::min(d, w - 1);
  int top = 0, bottom = -1;
  auto addRow = [&](int y, int sign) {
    const std::uint8_t* m = mask.Row(y);
    const Pixel* row = a.Src.Row(y);
    for (std::size_t x = 0; x < W; ++x) {
      if (m[x] == 0) continue;
      col[0][x] += sign;
      col[1][x] += sign * PixelRed(row[x]);
      col[2][x] += sign * PixelGreen(row[x]);
      col[3][x] += sign * PixelBlue(row[x]);
    }
  };

  for (int y = 0; y < h; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!EnterRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    const std::uint16_t* b = below.data() + static_cast<std::size_t>(y) * W;
    bool targets = false, near = false;
    for (std::size_t x = 0; x < W; ++x) {
      above[x] = m[x] != 0 ? 0 : static_cast<std::uint16_t>(std::min<int>(above[x] + 1, cap));
      g[x] = std::min(above[x], b[x]);
      targets |= m[x] == 0;
      near |= g[x] < cap;
    }
    const int wantTop = std::max(0, y - rv), wantBottom = std::min(h - 1, y + rv);
    while (bottom < wantBottom) addRow(++bottom, 1);
    while (top < wantTop) addRow(top++, -1);
    if (!targets) continue;
    for (int c = 0; c < (near ? 4 : 1); ++c)
      for (std::size_t x = 0; x < W; ++x) prefix[c][x + 1] = prefix[c][x] + col[c][x];
    if (near) RowDistances(g, w, envS, envT, dist);
    for (int x = 0; x < w; ++x) {
      if (m[x] != 0) continue;
      const std::size_t left = static_cast<std::size_t>(std::max(0, x - rh));
      const std::size_t right = static_cast<std::size_t>(std::min(w - 1, x + rh)) + 1;
      const long long count = prefix[0][right] - prefix[0][left];
      if (count == 0) continue;
      const Pixel s = srcRow[x];
      if (!near || dist[static_cast<std::size_t>(x)] >= far) {
        // The weight of the average is 0: the source value is written back.
        StoreFeathered(a.Engine, dstRow, x, s, {}, far, d);
        continue;
      }
      const long long nearest = static_cast<long long>(std::sqrt(static_cast<double>(dist[static_cast<std::size_t>(x)])));
      const Rgb average{static_cast<int>((prefix[1][right] - prefix[1][left]) / count),
                        static_cast<int>((prefix[2][right] - prefix[2][left]) / count),
                        static_cast<int>((prefix[3][right] - prefix[3][left]) / count)};
      StoreFeathered(a.Engine, dstRow, x, s, average, nearest, d);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
