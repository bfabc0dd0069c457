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

// The generator's output as a buffered stream, filled eight independent
// steps at a time, with each draw's remainder by 100 at hand. For "Szum" per
// channel, the number of draws a pixel takes from its red test on (one to two
// per channel, by the tests' outcomes) is tabulated per stream position, so
// that finding where the next pixel starts is one look-up instead of a chain
// of dependent tests.
class NoiseStream {
 public:
  static constexpr int kBlock = 4096;
  static constexpr int kMargin = 16;  // a pixel reads at most 9 draws ahead, the tables 5

  NoiseStream(std::uint32_t state, const int freq[3], bool tabulate)
      : st_(kBlock + kMargin), mod_(kBlock + kMargin), ub_(kBlock + kMargin), ug_(kBlock + kMargin),
        ur_(kBlock + kMargin), before_(state), tabulate_(tabulate) {
    for (int c = 0; c < 3; ++c) f_[c] = freq[c];
    std::uint32_t a = 1, c = 0;
    for (int k = 0; k < 8; ++k) {
      state = state * 22695477u + 1u;
      lane_[k] = state;
      a *= 22695477u;
      c = c * 22695477u + 1u;
    }
    a8_ = a;
    c8_ = c;
    Fill();
  }

  // At least kMargin draws are available from the current position.
  void Ensure() {
    if (p_ + kMargin <= n_) return;
    const int keep = n_ - p_;
    before_ = p_ > 0 ? st_[static_cast<std::size_t>(p_ - 1)] : before_;
    for (int i = 0; i < keep; ++i) {
      const std::size_t from = static_cast<std::size_t>(p_ + i), to = static_cast<std::size_t>(i);
      st_[to] = st_[from];
      mod_[to] = mod_[from];
      ub_[to] = ub_[from];
      ug_[to] = ug_[from];
      ur_[to] = ur_[from];
    }
    vb_ -= p_;
    vg_ -= p_;
    vr_ -= p_;
    n_ = keep;
    p_ = 0;
    Fill();
  }

  int Draw(int k) const { return static_cast<int>((st_[static_cast<std::size_t>(p_ + k)] >> 16) & 32767u); }
  int Mod100(int k) const { return mod_[static_cast<std::size_t>(p_ + k)]; }
  int UsedFromRedTest(int k) const { return ur_[static_cast<std::size_t>(p_ + k)]; }
  void Advance(int used) { p_ += used; }
  // The generator's state after the draws taken so far.
  std::uint32_t State() const { return p_ > 0 ? st_[static_cast<std::size_t>(p_ - 1)] : before_; }

 private:
  void Fill() {
    const int from = n_;
    for (; n_ + 8 <= kBlock + kMargin; n_ += 8)
      for (int k = 0; k < 8; ++k) {
        st_[static_cast<std::size_t>(n_ + k)] = lane_[k];
        lane_[k] = lane_[k] * a8_ + c8_;
      }
    for (int i = from; i < n_; ++i)
      mod_[static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(((st_[static_cast<std::size_t>(i)] >> 16) & 32767u) % 100u);
    if (!tabulate_) return;
    auto pass = [&](int i, int c) { return mod_[static_cast<std::size_t>(i)] < f_[c] ? 1 : 0; };
    for (; vb_ < n_; ++vb_) ub_[static_cast<std::size_t>(vb_)] = static_cast<std::uint8_t>(1 + pass(vb_, 2));
    for (; vg_ < n_ - 2; ++vg_) {
      const int pg = pass(vg_, 1);
      ug_[static_cast<std::size_t>(vg_)] =
          static_cast<std::uint8_t>(1 + pg + ub_[static_cast<std::size_t>(vg_ + 1 + pg)]);
    }
    for (; vr_ < n_ - 4; ++vr_) {
      const int pr = pass(vr_, 0);
      ur_[static_cast<std::size_t>(vr_)] =
          static_cast<std::uint8_t>(1 + pr + ug_[static_cast<std::size_t>(vr_ + 1 + pr)]);
    }
  }

  std::vector<std::uint32_t> st_;  // the state after each draw
  std::vector<std::uint8_t> mod_, ub_, ug_, ur_;
  int n_ = 0, p_ = 0;
  int vb_ = 0, vg_ = 0, vr_ = 0;  // how far each table is valid
  std::uint32_t before_;          // the state before st_[0]
  std::uint32_t lane_[8];
  std::uint32_t a8_ = 1, c8_ = 0;
  int f_[3];
  bool tabulate_;
};

// The same draws and results for "Zwykły" as effect mode and one option
// chosen, read from the stream.
void NoiseRowsStream(const EffectRun& run, const NoiseValues& v, LocalDraws& d) {
  const KernelArgs& a = run.a;
  const int option = v.pieprz ? -1 : (v.sol ? 1 : 0);  // 0: "Szum"
  const int fr = v.freq[0], fg = v.freq[1], fb = v.freq[2];
  const int fm = (fr + fg + fb) / 3;
  const SmallDivisor dm(static_cast<std::uint32_t>((v.top.r + v.top.g + v.top.b) / 3 + 1));
  const SmallDivisor dr(static_cast<std::uint32_t>(v.top.r + 1));
  const SmallDivisor dg(static_cast<std::uint32_t>(v.top.g + 1));
  const SmallDivisor db(static_cast<std::uint32_t>(v.top.b + 1));
  NoiseStream ns(d.State(), v.freq, !v.mono && option == 0);
  auto mod = [](const SmallDivisor& dv, int r) { return static_cast<int>(dv.Mod(static_cast<std::uint32_t>(r))); };
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!run.EnterRow()) {
      d.State() = ns.State();
      return;
    }
    const std::uint8_t* m = run.mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      ns.Ensure();
      const Rgb s = RgbOf(srcRow[x]);
      Rgb c;
      if (v.mono) {
        const int amount = mod(dm, ns.Draw(0));
        const int pass = ns.Mod100(1) < fm;
        int dir;
        if (option != 0) {
          dir = pass * option;
          ns.Advance(2);
        } else {
          dir = pass * ((ns.Draw(2) & 1) ? 1 : -1);
          ns.Advance(2 + pass);
        }
        c = {s.r + dir * amount, s.g + dir * amount, s.b + dir * amount};
      } else {
        const int ar = mod(dr, ns.Draw(0)), ag = mod(dg, ns.Draw(1)), ab = mod(db, ns.Draw(2));
        int dirR, dirG, dirB;
        if (option != 0) {
          dirR = (ns.Mod100(3) < fr) * option;
          dirG = (ns.Mod100(4) < fg) * option;
          dirB = (ns.Mod100(5) < fb) * option;
          ns.Advance(6);
        } else {
          // Red's test at draw 3 and its parity after it when it passed;
          // green's and blue's tests follow what the channel before used.
          const int pR = ns.Mod100(3) < fr;
          const int iG = 4 + pR;
          const int pG = ns.Mod100(iG) < fg;
          const int iB = iG + 1 + pG;
          const int pB = ns.Mod100(iB) < fb;
          dirR = pR * ((ns.Draw(4) & 1) ? -1 : 1);
          dirG = pG * ((ns.Draw(iG + 1) & 1) ? -1 : 1);
          dirB = pB * ((ns.Draw(iB + 1) & 1) ? -1 : 1);
          ns.Advance(3 + ns.UsedFromRedTest(3));
        }
        c = {s.r + dirR * ar, s.g + dirG * ag, s.b + dirB * ab};
      }
      Clamp255(c);
      run.Compose(c, dstRow, srcRow, x, m[x]);
    }
  }
  d.State() = ns.State();
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
    NoiseRowsStream(run, v, d);
    return;
  }
  WithDraws(run, [&](auto& d) { NoiseRows(run, v, d); });
}

}  // namespace rv
