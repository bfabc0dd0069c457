// Add noise: random darkening ("Pieprz"), brightening ("Sól") or both ("Szum")
// of each channel, or of the whole pixel with "Monochromatycznie".
#include "filters/kernels/EffectKernels.h"
#include "filters/kernels/EffectPipeline.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& NoiseFilter() {
  static const FilterDecl decl{
      .Stem = "Noise",
      .DialogClass = "TFormNoise",
      .MenuCaption = "Dodaj szum...",
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
              Radio("Pieprz", "Pieprz", "Rodzaj", false),
              Radio("Szum", "Szum", "Rodzaj", true),
              Radio("Sol", "Sól", "Rodzaj", false),
              Check("Mono", "Monochromatycznie", false),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyNoise(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("losR"), v.Get("losG"),
                   v.Get("losB"), v.Get("Mono") != 0, v.Get("Pieprz") != 0, v.Get("Szum") != 0, v.Get("Sol") != 0);
      },
      .Summary = "Adds random noise: pepper darkens, salt brightens, noise does both, per channel or grey.",
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
  const bool fixed = run.EffectIsTop() && v.top.r >= 0 && v.top.g >= 0 && v.top.b >= 0;
  const FixedDivisor dm(static_cast<std::uint32_t>(fixed ? (v.top.r + v.top.g + v.top.b) / 3 + 1 : 1));
  const FixedDivisor dr(static_cast<std::uint32_t>(fixed ? v.top.r + 1 : 1));
  const FixedDivisor dg(static_cast<std::uint32_t>(fixed ? v.top.g + 1 : 1));
  const FixedDivisor db(static_cast<std::uint32_t>(fixed ? v.top.b + 1 : 1));
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
      ClampRgb(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  run.Finish();
}

}  // namespace

void ApplyNoise(const KernelArgs& args, int canalR, int canalG, int canalB, int losR, int losG, int losB, bool mono,
                bool pieprz, bool szum, bool sol) {
  EffectRun run(args, true, ClampedArgs(args).Height);
  const NoiseValues v{{canalR, canalG, canalB}, {losR, losG, losB}, mono, pieprz, szum, sol};
  WithDraws(run, [&](auto& d) { NoiseRows(run, v, d); });
}

}  // namespace rv
