// The frame shared by the noise, stylise, distortion, streak and tile kernels:
// the run's weights and mask, the effect and blend steps, and the mix of a
// colour with a chosen pixel followed by the channel store.
//
// The plain path calls the engine's routines for every pixel; the fast path
// skips the calls whose result is known ("Zwykły" returns the top colour, a
// fully selected pixel at full strength takes the colour itself) and draws from
// a register copy of the generator where nothing else draws. Both give the
// same bits.
#pragma once

#include <cstdint>

#include "engine/Random.h"
#include "filters/kernels/FastTail.h"
#include "filters/kernels/Kernel.h"

namespace rv {

// Division and remainder by a divisor fixed for a run, by one multiplication:
// exact for dividends below 2^20 and divisors from 1 below 2^11 (the error of
// the reciprocal stays under 1/d).
class SmallDivisor {
 public:
  explicit SmallDivisor(std::uint32_t d = 1)
      : d_(d), m_((std::uint64_t{1} << 32) / d + 1), mask_((d & (d - 1)) == 0 ? d - 1 : 0) {}
  std::uint32_t Div(std::uint32_t n) const { return static_cast<std::uint32_t>((n * m_) >> 32); }
  // A power of two takes a mask (the noise's default amount 127 divides by 128).
  std::uint32_t Mod(std::uint32_t n) const { return mask_ != 0 ? n & mask_ : n - Div(n) * d_; }

 private:
  std::uint32_t d_;
  std::uint64_t m_;
  std::uint32_t mask_;
};

// Draws through the program's generator itself (the modes draw from it too).
struct SharedDraws {
  int Next() { return Random(); }
};

// A register copy of the generator for runs in which nothing else draws: the
// same sequence, handed back to the generator when the run ends.
class LocalDraws {
 public:
  std::uint32_t& State() { return s_; }
  LocalDraws() : s_(RandomState()) {}
  ~LocalDraws() { SeedRandom(s_); }
  LocalDraws(const LocalDraws&) = delete;
  LocalDraws& operator=(const LocalDraws&) = delete;
  int Next() {
    s_ = s_ * 22695477u + 1u;
    return static_cast<int>((s_ >> 16) & 32767u);
  }

 private:
  std::uint32_t s_;
};

// The generator's state k steps ahead, each step computed from the start on
// its own, so the steps do not wait for one another.
template <int N>
class DrawsAhead {
 public:
  DrawsAhead() {
    std::uint32_t a = 1, c = 0;
    for (int k = 0; k < N; ++k) {
      a *= 22695477u;
      c = c * 22695477u + 1u;
      mul_[k] = a;
      add_[k] = c;
    }
  }
  // The state after k + 1 steps from s.
  std::uint32_t State(std::uint32_t s, int k) const { return s * mul_[k] + add_[k]; }
  static int Draw(std::uint32_t state) { return static_cast<int>((state >> 16) & 32767u); }

 private:
  std::uint32_t mul_[N];
  std::uint32_t add_[N];
};

inline Rgb RgbOf(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

// ClampRgb, inline: 256 and above become 255, below 0 becomes 0.
inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
inline void Clamp255(Rgb& c) {
  c.r = Clamp255(c.r);
  c.g = Clamp255(c.g);
  c.b = Clamp255(c.b);
}

class EffectRun {
 public:
  // Starts the run: blend and store slots, the progress maximum (rows), and
  // the effect slot when the dialog has "Rodzaj:".
  EffectRun(const KernelArgs& args, bool usesEffect, int progressRows)
      : a(ClampedArgs(args)),
        e(args.Engine),
        A(Percent(a.Transparency)),
        B(Percent(100 - a.Transparency)),
        mask(a),
        plain_(args.Ctx.PlainPath),
        opaque_(a.Transparency == 100) {
    e.BeginRun(a.Ctx.Tryb, progressRows, a.Ctx.Progress, a.Ctx.ActiveChannel);
    if (usesEffect) e.SelectEffect(a.Ctx.TypeBox);
    effectIsTop_ = usesEffect && e.EffectIndex == 0 && !plain_;
    blendIsTop_ = e.BlendIndex == 0 && !plain_;
    modesDraw_ = e.BlendIndex == 1 || (usesEffect && e.EffectIndex == 1);
  }

  const KernelArgs a;  // clamped to the pictures
  CPixelEngine& e;
  const float A;
  const float B;
  const MaskView mask;

  bool Plain() const { return plain_; }
  // True when the kernel may draw from a local copy of the generator.
  bool LocalDrawsAllowed() const { return !plain_ && !modesDraw_; }
  bool EffectIsTop() const { return effectIsTop_; }
  bool BlendIsTop() const { return blendIsTop_; }
  bool Opaque() const { return opaque_; }

  // Row preamble: progress in a full run, then the cancel test.
  bool EnterRow() const {
    if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
    return !e.Cancelled;
  }
  void Finish() const { CPixelEngine::EndRun(a.Ctx.Progress); }

  Rgb Effect(Rgb top, const Pixel* dstRow, const Pixel* srcRow, int x) const {
    return effectIsTop_ ? top : e.EffectProc(top, dstRow, srcRow, x, 100, 100);
  }
  Rgb Blend(Rgb top, const Pixel* dstRow, const Pixel* srcRow, int x) const {
    return blendIsTop_ ? top : e.BlendProc(top, dstRow, srcRow, x, 100, 100);
  }

  // Mixes c with the pixel pRow[x] by the mask value m and the transparency,
  // then stores it through the active channel at dstRow[x]. An unselected
  // pixel keeps pRow[x] exactly, as in the engine's own mix.
  void Mix(Rgb c, Pixel* dstRow, const Pixel* pRow, int x, int m) const {
    if (plain_) {
      e.ComposeWithoutBlend(c, dstRow, pRow, x, Percent(m), Percent(100 - m), A, B);
      return;
    }
    MixAndStore(c, pRow[x], m, opaque_, A, B, e.StoreProc, dstRow, x);
  }

  // The engine's ComposePixel: blend c over srcRow[x], mix with it, store.
  void Compose(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, int m) const {
    if (plain_) {
      e.ComposePixel(c, dstRow, srcRow, x, Percent(m), Percent(100 - m), A, B);
      return;
    }
    Mix(Blend(c, dstRow, srcRow, x), dstRow, srcRow, x, m);
  }

 private:
  bool plain_;
  bool opaque_;
  bool effectIsTop_ = false;
  bool blendIsTop_ = false;
  bool modesDraw_ = false;
};

// Runs body(draws) with the generator copy the run allows.
template <class Body>
void WithDraws(const EffectRun& run, Body body) {
  if (run.LocalDrawsAllowed()) {
    LocalDraws d;
    body(d);
  } else {
    SharedDraws d;
    body(d);
  }
}

inline int ClampTo(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace rv
