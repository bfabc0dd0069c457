// The runner of the neighbourhood kernels. A kernel gives its candidate colour
// per pixel (a window statistic of the source); the runner walks the kernel
// skeleton: rows top to bottom, progress and cancellation per row, then per
// pixel the effect mode against the source pixel, clamp, blend, mix, store.
//
// The plain path computes each candidate by its per-pixel definition. The fast
// path fills a whole row of candidates at once (running sums, sliding
// histograms, streaming extremes) and composes the row through tables: when
// the effect and blend modes work channel by channel, the stored value of a
// channel depends only on the candidate's and the source's value of that
// channel and on the mask value. Both give the same bytes; the random draws of
// "Rozpuszczenie" keep their order because such modes are composed pixel by
// pixel as in the plain path.
#pragma once

#include <cstdint>
#include <vector>

#include "filters/kernels/Kernel.h"

namespace rv {

namespace detail {

// Blend and store slots, progress maximum, effect slot.
void BeginNeighbourRun(const KernelArgs& a, bool usesEffect);
// Row preamble of the skeleton; false when the run must stop.
bool EnterNeighbourRow(const KernelArgs& a);

inline Rgb PixelRgb(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

// Effect (when used), clamp, then the common compose of one pixel.
inline void ComposeCandidate(CPixelEngine& e, bool usesEffect, Rgb c, Pixel* dstRow, const Pixel* srcRow, int x,
                             float w, float u, float a, float b) {
  if (usesEffect) c = e.EffectProc(c, dstRow, srcRow, x, 100, 100);
  ClampRgb(c);
  e.ComposePixel(c, dstRow, srcRow, x, w, u, a, b);
}

}  // namespace detail

// Composes rows of candidates (packed as pixels) over the source rows.
class CandidateTail {
 public:
  // After the run has begun (slots chosen).
  CandidateTail(const KernelArgs& a, bool usesEffect);
  void Row(const Pixel* cand, Pixel* dstRow, const Pixel* srcRow, const std::uint8_t* mask);

 private:
  int Entry(int mv, int c, int s);

  CPixelEngine& e_;
  bool usesEffect_;
  int width_;
  float a_, b_;
  bool perPixel_;  // some mode mixes channels or draws: compose pixel by pixel
  bool identity_;  // a fully selected pixel stores its candidate as it is
  int channel_;
  // Stored value per (mask value, candidate value, source value), filled on first use.
  std::vector<std::vector<std::uint16_t>> tables_;
};

// The plain path: the candidate of each pixel from stat(x, y).
template <class Stat>
void RunNeighbourPlain(const KernelArgs& args, bool usesEffect, Stat stat) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  detail::BeginNeighbourRun(a, usesEffect);
  const MaskView mask(a);
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!detail::EnterNeighbourRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const float w = Percent(m[x]);
      const float u = Percent(100 - m[x]);
      detail::ComposeCandidate(e, usesEffect, stat(x, y), dstRow, srcRow, x, w, u, A, B);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

// The fast path: fillRow(y, out) writes the candidates of row y (rows come in
// order, each once) into out[0 .. width).
template <class FillRow>
void RunNeighbourRows(const KernelArgs& args, bool usesEffect, FillRow fillRow) {
  const KernelArgs a = ClampedArgs(args);
  detail::BeginNeighbourRun(a, usesEffect);
  const MaskView mask(a);
  CandidateTail tail(a, usesEffect);
  std::vector<Pixel> cand(static_cast<std::size_t>(a.Width));
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!detail::EnterNeighbourRow(a)) return;
    fillRow(y, cand.data());
    tail.Row(cand.data(), dstRow, srcRow, mask.Row(y));
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
