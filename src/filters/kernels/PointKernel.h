// The runner of the point filters: kernels whose candidate colour comes from
// the source pixel, the effect amount and constants. Each kernel gives its
// per-pixel formula once; the runner walks the kernel skeleton (rows top to
// bottom, progress and cancellation per row, effect, clamp, blend, mix, store).
//
// Fast paths: when every stage works channel by channel (the candidate, the
// effect mode with a constant top colour, the blend mode), the stored value of
// a channel is a function of that channel's source value and the mask value
// alone, so a table built from the same formulas replaces the pipeline. When
// only the blend mode mixes channels, the candidate alone is tabulated. Both
// give bit-identical results to the per-pixel definition, which stays as the
// reference (KernelContext::PlainPath).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "filters/kernels/Kernel.h"

namespace rv {

struct PointFilter {
  bool UsesEffect = true;            // the dialog has "Rodzaj:"
  bool UsesBlend = true;             // false: the candidate takes the blend result's place
  bool EffectTopFromSource = false;  // effect top colour is the pixel itself, not EffectTop
  Rgb EffectTop;                     // constant top colour of the effect
  bool Separable = true;             // candidate channel c depends only on s_c and E_c
};

namespace detail {

inline Rgb SourceRgb(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

template <class Cand>
inline Rgb PointCandidate(CPixelEngine& e, const PointFilter& f, Pixel* dstRow, const Pixel* srcRow, int x,
                          Cand& cand) {
  const Rgb s = SourceRgb(srcRow[x]);
  Rgb amount;
  if (f.UsesEffect) amount = e.EffectProc(f.EffectTopFromSource ? s : f.EffectTop, dstRow, srcRow, x, 100, 100);
  Rgb c = cand(s, amount);
  ClampRgb(c);
  return c;
}

// Starts a run: blend and store slots, progress maximum, effect slot.
inline void BeginPointRun(const KernelArgs& a, const PointFilter& f) {
  if (f.UsesBlend) {
    a.Engine.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  } else {
    a.Engine.SelectStore(a.Ctx.ActiveChannel);
    if (a.Ctx.Progress) a.Ctx.Progress->SetMaximum(a.Height);
  }
  if (f.UsesEffect) a.Engine.SelectEffect(a.Ctx.TypeBox);
}

// Row preamble of the skeleton; false when the run must stop.
inline bool EnterRow(const KernelArgs& a) {
  if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
  return !a.Engine.Cancelled;
}

inline void WriteStored(int channel, Pixel& p, int r, int g, int b) {
  Pixel row[1] = {p};
  StoreChannels(channel, row, 0, r, g, b);
  p = row[0];
}

}  // namespace detail

template <class Cand>
void RunPointFilterPlain(const KernelArgs& args, const PointFilter& f, Cand cand) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  detail::BeginPointRun(a, f);
  const MaskView mask(a);
  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!detail::EnterRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const float w = Percent(m[x]);
      const float u = Percent(100 - m[x]);
      const Rgb c = detail::PointCandidate(e, f, dstRow, srcRow, x, cand);
      if (f.UsesBlend)
        e.ComposePixel(c, dstRow, srcRow, x, w, u, A, B);
      else
        e.ComposeWithoutBlend(c, dstRow, srcRow, x, w, u, A, B);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

// Every stage over a whole row before the next: the mode routines run in
// tight loops instead of once per pixel. The draws of "Rozpuszczenie" keep
// their pixel order when one slot draws; when both do, each pixel takes its
// effect draws and then its blend draws, as in the per-pixel definition.
template <class Cand>
void RunPointFilterRows(const KernelArgs& a, const PointFilter& f, Cand& cand) {
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  detail::BeginPointRun(a, f);
  const MaskView mask(a);
  const ModeRowProc effect = f.UsesEffect ? BlendModeRowProc(e.EffectIndex) : nullptr;
  const ModeRowProc blend = f.UsesBlend ? BlendModeRowProc(e.BlendIndex) : nullptr;
  const bool bothDissolve = f.UsesEffect && f.UsesBlend && e.EffectIndex == 1 && e.BlendIndex == 1;
  std::array<float, 256> weight, rest;
  for (int m = 0; m < 256; ++m) {
    weight[static_cast<std::size_t>(m)] = Percent(m);
    rest[static_cast<std::size_t>(m)] = Percent(100 - m);
  }
  std::vector<Rgb> amount(static_cast<std::size_t>(a.Width)), tops, result(static_cast<std::size_t>(a.Width));
  if (f.EffectTopFromSource) tops.resize(static_cast<std::size_t>(a.Width));
  const int channel = e.StoreProc;

  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!detail::EnterRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    if (bothDissolve) {
      // Both slots draw for each pixel: effect first, then blend.
      for (int x = 0; x < a.Width; ++x) {
        const Rgb s = detail::SourceRgb(srcRow[x]);
        Rgb c = cand(s, Dissolve(f.EffectTopFromSource ? s : f.EffectTop, dstRow[x], 100, 100));
        ClampRgb(c);
        result[static_cast<std::size_t>(x)] = Dissolve(c, dstRow[x], 100, 100);
      }
    } else {
      if (effect) {
        if (f.EffectTopFromSource) {
          for (int x = 0; x < a.Width; ++x) tops[static_cast<std::size_t>(x)] = detail::SourceRgb(srcRow[x]);
          effect(tops.data(), 1, dstRow, srcRow, a.Width, 100, 100, amount.data());
        } else {
          effect(&f.EffectTop, 0, dstRow, srcRow, a.Width, 100, 100, amount.data());
        }
      }
      for (int x = 0; x < a.Width; ++x) {
        Rgb c = cand(detail::SourceRgb(srcRow[x]), amount[static_cast<std::size_t>(x)]);
        ClampRgb(c);
        result[static_cast<std::size_t>(x)] = c;
      }
      if (blend) blend(result.data(), 1, dstRow, srcRow, a.Width, 100, 100, result.data());
    }
    for (int x = 0; x < a.Width; ++x) {
      const Pixel s = srcRow[x];
      const Rgb c = result[static_cast<std::size_t>(x)];
      int r = PixelRed(s), g = PixelGreen(s), b = PixelBlue(s);
      const float w = weight[m[x]];
      if (w != 0.0f) {  // an unselected pixel keeps its value
        const float u = rest[m[x]];
        b = MixSelectTransparency(c.b, b, w, u, A, B);
        g = MixSelectTransparency(c.g, g, w, u, A, B);
        r = MixSelectTransparency(c.r, r, w, u, A, B);
      }
      StoreChannels(channel, dstRow, x, r, g, b);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

template <class Cand>
void RunPointFilter(const KernelArgs& args, const PointFilter& f, Cand cand) {
  const bool effectTabular =
      !f.UsesEffect || (!f.EffectTopFromSource && EffectModeSeparable(args.Ctx.TypeBox));
  const bool blendTabular = !f.UsesBlend || BlendModeSeparable(args.Ctx.Tryb);
  if (args.Ctx.PlainPath) {
    RunPointFilterPlain(args, f, cand);
    return;
  }
  const KernelArgs a = ClampedArgs(args);
  if (!f.Separable || !effectTabular) {
    RunPointFilterRows(a, f, cand);
    return;
  }

  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  detail::BeginPointRun(a, f);
  const MaskView mask(a);

  // Candidates of a grey pixel (s, s, s): with every stage per channel, channel
  // c of any pixel whose channel c is s gets the same value.
  std::array<Rgb, 256> candidates;
  for (int s = 0; s < 256; ++s) {
    const Pixel grey[1] = {MakePixel(s, s, s)};
    Pixel scratch[1] = {grey[0]};
    candidates[static_cast<std::size_t>(s)] = detail::PointCandidate(e, f, scratch, grey, 0, cand);
  }
  const int channel = e.StoreProc;

  if (!blendTabular) {
    // The candidate depends on the channel's own value alone: look it up, and
    // leave the mode that mixes channels to the row pipeline.
    auto tabulated = [&candidates](Rgb s, Rgb) {
      return Rgb{candidates[static_cast<std::size_t>(s.r)].r, candidates[static_cast<std::size_t>(s.g)].g,
                 candidates[static_cast<std::size_t>(s.b)].b};
    };
    PointFilter g = f;
    g.UsesEffect = false;
    RunPointFilterRows(a, g, tabulated);
    return;
  }

  // Stored value per (mask value, channel value), built for a mask value when
  // it first occurs.
  std::vector<std::uint8_t> lut(256 * 256 * 3);
  std::array<bool, 256> built{};
  auto build = [&](int mv) {
    const float w = Percent(mv);
    const float u = Percent(100 - mv);
    std::uint8_t* t = lut.data() + static_cast<std::size_t>(mv) * 768;
    for (int s = 0; s < 256; ++s) {
      const Pixel grey[1] = {MakePixel(s, s, s)};
      Pixel out[1] = {grey[0]};
      CPixelEngine local = e;
      local.StoreProc = kChannelAll;
      if (f.UsesBlend)
        local.ComposePixel(candidates[static_cast<std::size_t>(s)], out, grey, 0, w, u, A, B);
      else
        local.ComposeWithoutBlend(candidates[static_cast<std::size_t>(s)], out, grey, 0, w, u, A, B);
      t[s] = static_cast<std::uint8_t>(PixelRed(out[0]));
      t[256 + s] = static_cast<std::uint8_t>(PixelGreen(out[0]));
      t[512 + s] = static_cast<std::uint8_t>(PixelBlue(out[0]));
    }
    built[static_cast<std::size_t>(mv)] = true;
  };

  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (!detail::EnterRow(a)) return;
    const std::uint8_t* m = mask.Row(y);
    for (int x = 0; x < a.Width; ++x) {
      const int mv = m[x];
      if (!built[static_cast<std::size_t>(mv)]) build(mv);
      const std::uint8_t* t = lut.data() + static_cast<std::size_t>(mv) * 768;
      const Pixel s = srcRow[x];
      const Pixel r = t[PixelRed(s)];
      const Pixel g = t[256 + PixelGreen(s)];
      const Pixel b = t[512 + PixelBlue(s)];
      Pixel& d = dstRow[x];
      switch (channel) {
        case kChannelAll: d = (d & 0xFF000000u) | (r << 16) | (g << 8) | b; break;
        case kChannelRed: d = (d & 0xFF00FFFFu) | (r << 16); break;
        case kChannelGreen: d = (d & 0xFFFF00FFu) | (g << 8); break;
        case kChannelBlue: d = (d & 0xFFFFFF00u) | b; break;
        default: break;
      }
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
