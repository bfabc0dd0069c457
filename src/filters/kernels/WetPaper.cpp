// Wet paper: smears the picture along randomly spaced rows and columns, each
// segment pulled towards the colour at its middle, then lays the effect and
// blend modes of every pixel over itself.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& WetPaperFilter() {
  static const FilterDecl decl{
      .Stem = "WetPaper",
      .DialogClass = "TFormWetPaper",
      .MenuCaption = "Mokry papier...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje mokrego papieru",
      .HistoryLabel = "Mokry papier",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("R1", "Częstość szer:", 3, 300, 127),
              Track("R2", "Częstość wys:", 3, 300, 127),
              Track("R3", "Regulacja szer:", 3, 10, 5),
              Track("R4", "Regulacja wys:", 3, 10, 5),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyWetPaper(a, v.Get("R1"), v.Get("R2"), v.Get("R3"), v.Get("R4"));
      },
      .Summary = "Wet paper: smears the picture along random rows and columns towards each segment's middle.",
      .Description = "Mokry papier: rozmazuje obraz wzdłuż losowo rozstawionych wierszy i kolumn w stronę środka "
                     "każdego odcinka.",
      .Example = {"--set", "R1=24", "--set", "R2=24"},
  };
  return decl;
}

namespace {

// The smear weight of a pixel at distance dist from its segment's anchor,
// which lies span away from the segment's start: 100 at the start, 0 at the anchor.
inline int SmearWeight(int dist, int span) { return dist * 100 / span; }

inline Rgb Smeared(Rgb s, Rgb q, int p) {
  const float pw = Percent(p), qw = Percent(100 - p);
  auto ch = [&](int a, int b) {
    return static_cast<int>(static_cast<double>(a) * pw + static_cast<double>(b) * qw);
  };
  return {ch(s.r, q.r), ch(s.g, q.g), ch(s.b, q.b)};
}

// One smeared row y: segments of g columns, each anchored g / 2 after its start.
void SmearRow(const EffectRun& run, int y, int g) {
  const KernelArgs& a = run.a;
  Pixel* dstRow = a.Dst.Row(y);
  const Pixel* srcRow = a.Src.Row(y);
  const std::uint8_t* m = run.mask.Row(y);
  int anchor = 0, span = 1;
  Rgb q;
  for (int x = 0; x < a.Width - 1; ++x) {
    if (x % g == 0) {
      anchor = ClampTo(x + g / 2, 0, a.Width - 1);
      q = RgbOf(srcRow[anchor]);
      span = std::abs(x - anchor);
    }
    const Rgb s = RgbOf(srcRow[x]);
    run.Mix(Smeared(s, q, SmearWeight(std::abs(x - anchor), span)), dstRow, srcRow, x, m[x]);
  }
}

// One smeared column x, the same along the rows.
void SmearColumn(const EffectRun& run, int x, int g) {
  const KernelArgs& a = run.a;
  int anchor = 0, span = 1;
  Rgb q;
  for (int y = 0; y < a.Height - 1; ++y) {
    if (y % g == 0) {
      anchor = ClampTo(y + g / 2, 0, a.Height - 1);
      q = RgbOf(a.Src.Row(anchor)[x]);
      span = std::abs(y - anchor);
    }
    const Pixel* srcRow = a.Src.Row(y);
    const Rgb s = RgbOf(srcRow[x]);
    run.Mix(Smeared(s, q, SmearWeight(std::abs(y - anchor), span)), a.Dst.Row(y), srcRow, x, run.mask.Row(y)[x]);
  }
}

// The column pass row by row over the chosen columns (each column's result
// depends on the source and the mask alone, so the order is free).
void SmearColumns(const EffectRun& run, const std::vector<int>& columns, int g) {
  const KernelArgs& a = run.a;
  for (int y = 0; y < a.Height - 1; ++y) {
    const int anchor = ClampTo(y - y % g + g / 2, 0, a.Height - 1);
    const int span = std::abs(y - y % g - anchor);
    const int p = SmearWeight(std::abs(y - anchor), span);
    const Pixel* srcRow = a.Src.Row(y);
    const Pixel* anchorRow = a.Src.Row(anchor);
    Pixel* dstRow = a.Dst.Row(y);
    const std::uint8_t* m = run.mask.Row(y);
    for (const int x : columns)
      run.Mix(Smeared(RgbOf(srcRow[x]), RgbOf(anchorRow[x]), p), dstRow, srcRow, x, m[x]);
  }
}

template <class Draws>
bool Smear(const EffectRun& run, int g1, int g2, int j1, int j2, Draws& d) {
  const KernelArgs& a = run.a;
  const bool plain = run.Plain();
  int last = -1;
  for (int y = 0; y < a.Height - 1;) {
    if (!run.EnterRow()) return false;
    // A step of 0 repeats the row with the same result.
    if (plain || y != last) SmearRow(run, y, g1);
    last = y;
    y += d.Next() % j1;
  }
  if (plain) {
    for (int x = 0; x < a.Width - 1;) {
      if (!run.EnterRow()) return false;
      SmearColumn(run, x, g2);
      x += d.Next() % j2;
    }
    return true;
  }
  std::vector<int> columns;
  int steps = 0;
  for (int x = 0; x < a.Width - 1; x += d.Next() % j2) {
    if (columns.empty() || columns.back() != x) columns.push_back(x);
    ++steps;
  }
  for (int i = 0; i < steps; ++i)
    if (!run.EnterRow()) return false;
  SmearColumns(run, columns, g2);
  return true;
}

}  // namespace

void ApplyWetPaper(const KernelArgs& args, int g1, int g2, int j1, int j2) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const KernelArgs& a = run.a;
  g1 = std::max(g1, 1);
  g2 = std::max(g2, 1);
  j1 = std::max(j1, 1);
  j2 = std::max(j2, 1);
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    for (int x = 0; x < a.Width; ++x) dstRow[x] = (dstRow[x] & 0xFF000000u) | (srcRow[x] & 0x00FFFFFFu);
  }
  bool done = true;
  // The smears draw only the kernel's own numbers.
  if (run.Plain()) {
    SharedDraws d;
    done = Smear(run, g1, g2, j1, j2, d);
  } else {
    LocalDraws d;
    done = Smear(run, g1, g2, j1, j2, d);
  }
  if (!done) return;

  // Every pixel once more, over itself.
  const bool unchanged = run.EffectIsTop() && run.BlendIsTop();
  for (int y = 0; y < a.Height; ++y) {
    Pixel* row = a.Dst.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      // "Zwykły" twice gives the pixel itself, which the mix keeps where the
      // weights are whole.
      if (unchanged && (m[x] == 0 || (m[x] == 100 && run.Opaque()))) continue;
      run.Compose(run.Effect(RgbOf(row[x]), row, row, x), row, row, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace rv
