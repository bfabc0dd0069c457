// Add noise: random darkening ("Pieprz"), brightening ("Sól") or both ("Szum")
// of each channel, or of the whole pixel with "Monochromatycznie".
#include <vector>

#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& NoiseFilter() {
  static const FilterDecl decl{
      .Stem = "Noise",
      .DialogClass = "TFormNoise",
      .MenuCaption = "Dodaj szum...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje szumu",
      .HistoryLabel = "Dodaj Szum",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 1, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 1, 255, 127, "Scal"),
              Track("CanalB", "Kanał niebieski", 1, 255, 127, "Scal"),
              Link("Scal", true),
              Track("losR", "Częstość R", 1, 100, 50, "ScalLos"),
              Track("losG", "Częstość G", 1, 100, 50, "ScalLos"),
              Track("losB", "Częstość B", 1, 100, 50, "ScalLos"),
              Link("ScalLos", true),
              Place(Radio("Pieprz", "Pieprz", "Rodzaj", false), 0, 0),
              Place(Radio("Szum", "Szum", "Rodzaj", true), 0, 1),
              Place(Radio("Sol", "Sól", "Rodzaj", false), 0, 2),
              Check("Mono", "Monochromatycznie", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyNoise(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("losR"), v.Get("losG"),
                   v.Get("losB"), v.Get("Mono") != 0, v.Get("Pieprz") != 0, v.Get("Szum") != 0, v.Get("Sol") != 0);
      },
      .Summary = "Adds random noise: pepper darkens, salt brightens, noise does both, per channel or grey.",
      .Description = "Dodaje losowy szum: Pieprz przyciemnia, Sól rozjaśnia, Szum jedno i drugie, z wybraną "
                     "częstością, w każdym kanale osobno lub monochromatycznie.",
  };
  return decl;
}

namespace {

// r mod (amount + 1); the amount comes from the effect mode and is never
// negative for these dialogs' values, but a zero divisor must not trap.
inline int Amount(int r, int e) { return e + 1 > 0 ? r % (e + 1) : 0; }

struct NoiseValues {
  Rgb top;
  int freq[3];
  bool mono, pieprz, szum, sol;
};

// The noise draws of one pixel, made before the effect routine's: the raw
// amount draws and, per channel (or once in the monochrome variant), the
// direction -1, 0 or +1 the option's tests give.
template <class Draws>
inline void DrawNoise(const NoiseValues& v, int monoFreq, Draws& d, int raw[3], int dir[3]) {
  const int n = v.mono ? 1 : 3;
  for (int c = 0; c < n; ++c) raw[c] = d.Next();
  for (int c = 0; c < n; ++c) dir[c] = 0;
  if (v.pieprz)
    for (int c = 0; c < n; ++c)
      if (d.Next() % 100 < (v.mono ? monoFreq : v.freq[c])) dir[c] = -1;
  if (v.sol)
    for (int c = 0; c < n; ++c)
      if (d.Next() % 100 < (v.mono ? monoFreq : v.freq[c])) dir[c] = 1;
  if (v.szum)
    for (int c = 0; c < n; ++c)
      if (d.Next() % 100 < (v.mono ? monoFreq : v.freq[c])) {
        const bool odd = d.Next() % 2 != 0;
        // Monochrome: odd brightens; per channel: odd darkens.
        dir[c] = (odd == v.mono) ? 1 : -1;
      }
}

template <class Draws>
void NoiseRows(const EffectRun& run, const NoiseValues& v, Draws& d) {
  const KernelArgs& a = run.a;
  const int monoFreq = (v.freq[0] + v.freq[1] + v.freq[2]) / 3;
  // With "Zwykły" as effect mode the amounts are the dialog's: divide by multiplication.
  const bool fixed = run.EffectIsTop() && v.top.r >= 0 && v.top.g >= 0 && v.top.b >= 0 && v.top.r < 2047 &&
                     v.top.g < 2047 && v.top.b < 2047;
  const SmallDivisor dm(static_cast<std::uint32_t>(fixed ? (v.top.r + v.top.g + v.top.b) / 3 + 1 : 1));
  const SmallDivisor dr(static_cast<std::uint32_t>(fixed ? v.top.r + 1 : 1));
  const SmallDivisor dg(static_cast<std::uint32_t>(fixed ? v.top.g + 1 : 1));
  const SmallDivisor db(static_cast<std::uint32_t>(fixed ? v.top.b + 1 : 1));
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) return;
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      int raw[3], dir[3];
      DrawNoise(v, monoFreq, d, raw, dir);
      const Rgb s = RgbOf(srcRow[x]);
      Rgb c = s;
      if (v.mono) {
        if (dir[0] != 0) {
          int amount;
          if (fixed) {
            amount = static_cast<int>(dm.Mod(static_cast<std::uint32_t>(raw[0])));
          } else {
            const Rgb e = run.Effect(v.top, dstRow, srcRow, x);
            amount = Amount(raw[0], (e.r + e.g + e.b) / 3);
          }
          c = {s.r + dir[0] * amount, s.g + dir[0] * amount, s.b + dir[0] * amount};
        } else if (!fixed) {
          run.Effect(v.top, dstRow, srcRow, x);  // its draws happen whether the pixel changes or not
        }
      } else if (fixed) {
        if (dir[0] != 0) c.r += dir[0] * static_cast<int>(dr.Mod(static_cast<std::uint32_t>(raw[0])));
        if (dir[1] != 0) c.g += dir[1] * static_cast<int>(dg.Mod(static_cast<std::uint32_t>(raw[1])));
        if (dir[2] != 0) c.b += dir[2] * static_cast<int>(db.Mod(static_cast<std::uint32_t>(raw[2])));
      } else {
        const Rgb e = run.Effect(v.top, dstRow, srcRow, x);
        c.r += dir[0] * Amount(raw[0], e.r);
        c.g += dir[1] * Amount(raw[1], e.g);
        c.b += dir[2] * Amount(raw[2], e.b);
      }
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

// The same draws and results for "Zwykły" as effect mode and one option
// chosen, without branches on the random outcomes: every draw a pixel may
// need is computed from the state at the pixel's start, and the tests select
// among them.
void NoiseRowsAhead(const EffectRun& run, const NoiseValues& v, LocalDraws& d) {
  const KernelArgs& a = run.a;
  static const DrawsAhead<9> ahead;
  const int option = v.pieprz ? -1 : (v.sol ? 1 : 0);  // 0: "Szum"
  const int fr = v.freq[0], fg = v.freq[1], fb = v.freq[2];
  const int fm = (fr + fg + fb) / 3;
  const SmallDivisor dm(static_cast<std::uint32_t>((v.top.r + v.top.g + v.top.b) / 3 + 1));
  const SmallDivisor dr(static_cast<std::uint32_t>(v.top.r + 1));
  const SmallDivisor dg(static_cast<std::uint32_t>(v.top.g + 1));
  const SmallDivisor db(static_cast<std::uint32_t>(v.top.b + 1));
  std::uint32_t st = d.State();
  auto draw = [&](int k) { return DrawsAhead<9>::Draw(ahead.State(st, k)); };
  // Remainders by 100 of every draw, looked up rather than divided.
  static const std::vector<std::uint8_t> by100 = [] {
    std::vector<std::uint8_t> t(32768);
    for (int r = 0; r < 32768; ++r) t[static_cast<std::size_t>(r)] = static_cast<std::uint8_t>(r % 100);
    return t;
  }();
  auto rem = [&](int r) { return static_cast<int>(by100[static_cast<std::size_t>(r)]); };
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) {
      d.State() = st;
      return;
    }
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const Rgb s = RgbOf(srcRow[x]);
      Rgb c;
      if (v.mono) {
        const int amount = static_cast<int>(dm.Mod(static_cast<std::uint32_t>(draw(0))));
        const int pass = rem(draw(1)) < fm;
        int dir, used;
        if (option != 0) {
          dir = pass * option;
          used = 2;
        } else {
          dir = pass * ((draw(2) & 1) ? 1 : -1);
          used = 2 + pass;
        }
        c = {s.r + dir * amount, s.g + dir * amount, s.b + dir * amount};
        st = ahead.State(st, used - 1);
      } else {
        const int ar = static_cast<int>(dr.Mod(static_cast<std::uint32_t>(draw(0))));
        const int ag = static_cast<int>(dg.Mod(static_cast<std::uint32_t>(draw(1))));
        const int ab = static_cast<int>(db.Mod(static_cast<std::uint32_t>(draw(2))));
        int dirR, dirG, dirB, used;
        if (option != 0) {
          dirR = (rem(draw(3)) < fr) * option;
          dirG = (rem(draw(4)) < fg) * option;
          dirB = (rem(draw(5)) < fb) * option;
          used = 6;
        } else {
          // Test of red at draw 3, its parity at 4 when it passed; green and
          // blue follow after what red and green used.
          // Every test a draw may face is made at once; the outcomes pick
          // among them by bit arithmetic, so only the picking waits on the
          // tests before the next pixel's state is known.
          const int r3 = draw(3), r4 = draw(4), r5 = draw(5), r6 = draw(6), r7 = draw(7), r8 = draw(8);
          const int pR = rem(r3) < fr;
          const int g4 = rem(r4) < fg, g5 = rem(r5) < fg;
          const int pG = g4 ^ ((g4 ^ g5) & pR);  // green's test is draw 4 + pR
          const int q = pR + pG;
          const int bTests = (rem(r5) < fb) | ((rem(r6) < fb) << 1) | ((rem(r7) < fb) << 2);
          const int pB = (bTests >> q) & 1;  // blue's test is draw 5 + q
          const int oG = (r5 & 1) ^ (((r5 ^ r6) & 1) & pR);
          const int oB = (((r6 & 1) | ((r7 & 1) << 1) | ((r8 & 1) << 2)) >> q) & 1;
          dirR = pR * (1 - 2 * (r4 & 1));
          dirG = pG * (1 - 2 * oG);
          dirB = pB * (1 - 2 * oB);
          used = 6 + q + pB;
        }
        c = {s.r + dirR * ar, s.g + dirG * ag, s.b + dirB * ab};
        st = ahead.State(st, used - 1);
      }
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  d.State() = st;
  run.Finish();
}

}  // namespace

void ApplyNoise(const KernelArgs& args, int canalR, int canalG, int canalB, int losR, int losG, int losB, bool mono,
                bool pieprz, bool szum, bool sol) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const NoiseValues v{{canalR, canalG, canalB}, {losR, losG, losB}, mono, pieprz, szum, sol};
  const int options = pieprz + szum + sol;
  const bool smallTop = canalR >= 0 && canalG >= 0 && canalB >= 0 && canalR < 2047 && canalG < 2047 && canalB < 2047;
  if (run.LocalDrawsAllowed() && run.EffectIsTop() && options == 1 && smallTop) {
    LocalDraws d;
    NoiseRowsAhead(run, v, d);
    return;
  }
  WithDraws(run, [&](auto& d) { NoiseRows(run, v, d); });
}

}  // namespace rv
