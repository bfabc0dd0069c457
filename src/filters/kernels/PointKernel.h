// The runner of the point filters: kernels whose candidate colour comes from
// the source pixel, the effect amount and constants. Each kernel gives its
// per-pixel formula once; the runner walks the kernel skeleton (rows top to
// bottom, progress and cancellation per row, effect, clamp, blend, mix, store).
//
// Fast paths: when every stage works channel by channel (the candidate, the
// effect mode with a constant top colour, the blend mode), the stored value of
// a channel is a function of that channel's source value and the mask value
// alone, so a table built from the same formulas replaces the pipeline. When
// only the blend mode mixes channels, the candidate alone is tabulated. When
// the candidate itself mixes channels, the effect amounts come from a table
// (or are the top colour under "Zwykły"), a mean-separable candidate from a
// table of (channel value, mean), and the tail runs without the slots. All
// give bit-identical results to the per-pixel definition, which stays as the
// reference (KernelContext::PlainPath).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "filters/kernels/FastTail.h"
#include "filters/kernels/Kernel.h"

namespace rv {

struct PointFilter {
  bool UsesEffect = true;            // the dialog has "Rodzaj:"
  bool UsesBlend = true;             // false: the candidate takes the blend result's place
  bool EffectTopFromSource = false;  // effect top colour is the pixel itself, not EffectTop
  Rgb EffectTop;                     // constant top colour of the effect
  bool Separable = true;             // candidate channel c depends only on s_c and E_c
  // Effect top colour computed from the pixel (its hue turned, a stretch);
  // TopSeparable when its channel c depends on s_c alone.
  Rgb (*EffectTopOf)(Rgb s, const void* data) = nullptr;
  const void* EffectTopData = nullptr;
  bool TopSeparable = false;
  // Top colour of a second effect result, taken after the first, for
  // candidates that take (s, E, F).
  Rgb EffectTop2;
  // Not Separable, but candidate channel c depends only on s_c, E_c (and F_c)
  // and the pixel's mean (s_R + s_G + s_B) / 3.
  bool MeanSeparable = false;
  // The destination starts as a copy of the source (what a store leaves of
  // the other channels, what "Rozpuszczenie" finds there). Rows are copied as
  // the run reaches them, the rest at once when it is cancelled: the same
  // destination as a copy made before the first row.
  bool CopySourceFirst = false;
};

namespace detail {

inline Rgb SourceRgb(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

inline Rgb EffectTopOfPixel(const PointFilter& f, Rgb s) {
  if (f.EffectTopOf) return f.EffectTopOf(s, f.EffectTopData);
  return f.EffectTopFromSource ? s : f.EffectTop;
}

template <class Cand>
constexpr bool kTwoEffects = std::is_invocable_v<Cand&, Rgb, Rgb, Rgb>;

template <class Cand>
inline Rgb PointCandidate(CPixelEngine& e, const PointFilter& f, Pixel* dstRow, const Pixel* srcRow, int x,
                          Cand& cand) {
  const Rgb s = SourceRgb(srcRow[x]);
  Rgb amount;
  if (f.UsesEffect) amount = e.EffectProc(EffectTopOfPixel(f, s), dstRow, srcRow, x, 100, 100);
  Rgb c;
  if constexpr (kTwoEffects<Cand>) {
    Rgb second;
    if (f.UsesEffect) second = e.EffectProc(f.EffectTop2, dstRow, srcRow, x, 100, 100);
    c = cand(s, amount, second);
  } else {
    c = cand(s, amount);
  }
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

inline void CopyRows(const KernelArgs& a, int from, int to) {
  for (int y = from; y < to; ++y) std::copy(a.Src.Row(y), a.Src.Row(y) + a.Width, a.Dst.Row(y));
}

// EnterRow with the filter's copy of the source row.
inline bool EnterRow(const KernelArgs& a, const PointFilter& f, int y) {
  if (!EnterRow(a)) {
    if (f.CopySourceFirst) CopyRows(a, y, a.Height);
    return false;
  }
  if (f.CopySourceFirst) CopyRows(a, y, y + 1);
  return true;
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
    if (!detail::EnterRow(a, f, y)) return;
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

// True when the effect amounts of channel c are a function of s_c alone, so
// that grey pixels give a table of them.
inline bool EffectTabular(const PointFilter& f, int typeBox) {
  if (!f.UsesEffect) return true;
  if (f.EffectTopOf) return f.TopSeparable && BlendModeSeparable(typeBox);
  if (f.EffectTopFromSource) return BlendModeSeparable(typeBox);
  return EffectModeSeparable(typeBox);
}

// Fast path of the filters whose candidate mixes channels: effect amounts from
// a table (or the top colour itself under "Zwykły"), the candidate from the
// formula or, for mean-separable filters, from a table of (s_c, mean), and
// the tail without calls through the slots.
template <class Cand>
void RunPointFilterPerPixel(const KernelArgs& args, const PointFilter& f, Cand cand) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  detail::BeginPointRun(a, f);
  const MaskView mask(a);
  const bool tabular = EffectTabular(f, a.Ctx.TypeBox);

  // Effect amounts of grey pixels: channel c of any pixel whose channel c is v.
  std::array<Rgb, 256> first{}, second{};
  if (f.UsesEffect && tabular) {
    for (int v = 0; v < 256; ++v) {
      const Pixel grey[1] = {MakePixel(v, v, v)};
      Pixel scratch[1] = {grey[0]};
      first[static_cast<std::size_t>(v)] =
          e.EffectProc(detail::EffectTopOfPixel(f, {v, v, v}), scratch, grey, 0, 100, 100);
      if constexpr (detail::kTwoEffects<Cand>)
        second[static_cast<std::size_t>(v)] = e.EffectProc(f.EffectTop2, scratch, grey, 0, 100, 100);
    }
  }
  auto amounts = [&](Rgb s, const std::array<Rgb, 256>& t, Rgb top) {
    if (!f.UsesEffect) return Rgb{};
    if (!tabular) return top;  // "Zwykły": the amount is the top colour
    return Rgb{t[static_cast<std::size_t>(s.r)].r, t[static_cast<std::size_t>(s.g)].g,
               t[static_cast<std::size_t>(s.b)].b};
  };
  auto candidate = [&](Rgb s) {
    const Rgb E = amounts(s, first, tabular ? Rgb{} : detail::EffectTopOfPixel(f, s));
    Rgb c;
    if constexpr (detail::kTwoEffects<Cand>)
      c = cand(s, E, amounts(s, second, f.EffectTop2));
    else
      c = cand(s, E);
    ClampInline(c);
    return c;
  };

  // Mean-separable candidates by (channel value, mean), from one pixel of
  // each pair that a real pixel can have.
  std::vector<std::uint8_t> byMean;
  const bool meanTable = f.MeanSeparable && tabular;
  if (meanTable) {
    byMean.assign(3 * 256 * 256, 0);
    for (int ch = 0; ch < 3; ++ch)
      for (int v = 0; v < 256; ++v)
        for (int mean = 0; mean < 256; ++mean) {
          const int others = std::clamp(3 * mean - v, 0, 510);
          if ((v + others) / 3 != mean) continue;
          const int o1 = std::min(others, 255), o2 = others - o1;
          const Rgb s = ch == 0 ? Rgb{v, o1, o2} : ch == 1 ? Rgb{o1, v, o2} : Rgb{o1, o2, v};
          const Rgb c = candidate(s);
          byMean[static_cast<std::size_t>((ch * 256 + v) * 256 + mean)] =
              static_cast<std::uint8_t>(ch == 0 ? c.r : ch == 1 ? c.g : c.b);
        }
  }

  const FastTail tail(e, f.UsesBlend, a.Transparency);
  // One loop per kind of candidate and tail, so that the choices stay out of the pixel loop.
  auto rows = [&](auto candidateOf, auto compose) {
    for (int y = 0; y < a.Height; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (!detail::EnterRow(a, f, y)) return;
      const std::uint8_t* m = mask.Row(y);
      for (int x = 0; x < a.Width; ++x) compose(candidateOf(detail::SourceRgb(srcRow[x])), dstRow, srcRow, x, m[x]);
    }
  };
  auto byTable = [&](Rgb s) {
    const std::size_t mean = static_cast<std::size_t>((s.r + s.g + s.b) / 3);
    return Rgb{byMean[(static_cast<std::size_t>(s.r) << 8) + mean],
               byMean[((256u + static_cast<std::size_t>(s.g)) << 8) + mean],
               byMean[((512u + static_cast<std::size_t>(s.b)) << 8) + mean]};
  };
  auto plain = [](Rgb c, Pixel* d, const Pixel* s, int x, int m) { FastTail::Put(c, d, s, x, m); };
  auto direct = [&](Rgb c, Pixel* d, const Pixel* s, int x, int m) { tail.Compose(c, d, s, x, m); };
  auto engine = [&](Rgb c, Pixel* d, const Pixel* s, int x, int m) {
    e.ComposePixel(c, d, s, x, Percent(m), Percent(100 - m), A, B);
  };
  auto withTail = [&](auto candidateOf) {
    if (tail.Plain())
      rows(candidateOf, plain);
    else if (tail.Direct())
      rows(candidateOf, direct);
    else
      rows(candidateOf, engine);
  };
  if (meanTable)
    withTail(byTable);
  else
    withTail(candidate);
  if (e.Cancelled) return;
  CPixelEngine::EndRun(a.Ctx.Progress);
}

template <class Cand>
void RunPointFilter(const KernelArgs& args, const PointFilter& f, Cand cand) {
  const bool effectTabular = EffectTabular(f, args.Ctx.TypeBox);
  const bool blendTabular = !f.UsesBlend || BlendModeSeparable(args.Ctx.Tryb);
  // Without a table of effect amounts only "Zwykły" (amount = top colour) is fast.
  const bool effectFast = effectTabular || args.Ctx.TypeBox == 0;
  if (!args.Ctx.PlainPath && !(f.Separable && effectTabular) && effectFast) {
    RunPointFilterPerPixel(args, f, cand);
    return;
  }
  if (args.Ctx.PlainPath || !f.Separable || !effectTabular) {
    RunPointFilterPlain(args, f, cand);
    return;
  }

  const KernelArgs a = ClampedArgs(args);
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
    for (int y = 0; y < a.Height; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (!detail::EnterRow(a, f, y)) return;
      const std::uint8_t* m = mask.Row(y);
      for (int x = 0; x < a.Width; ++x) {
        const Pixel s = srcRow[x];
        const Rgb c{candidates[static_cast<std::size_t>(PixelRed(s))].r,
                    candidates[static_cast<std::size_t>(PixelGreen(s))].g,
                    candidates[static_cast<std::size_t>(PixelBlue(s))].b};
        e.ComposePixel(c, dstRow, srcRow, x, Percent(m[x]), Percent(100 - m[x]), A, B);
      }
    }
    CPixelEngine::EndRun(a.Ctx.Progress);
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

  // One loop per store routine; the table of a mask value is kept while the value repeats.
  bool stopped = false;
  auto lutRows = [&](auto put) {
    for (int y = 0; y < a.Height; ++y) {
      Pixel* dstRow = a.Dst.Row(y);
      const Pixel* srcRow = a.Src.Row(y);
      if (!detail::EnterRow(a, f, y)) {
        stopped = true;
        return;
      }
      const std::uint8_t* m = mask.Row(y);
      int last = -1;
      const std::uint8_t* t = nullptr;
      for (int x = 0; x < a.Width; ++x) {
        const int mv = m[x];
        if (mv != last) {
          if (!built[static_cast<std::size_t>(mv)]) build(mv);
          t = lut.data() + static_cast<std::size_t>(mv) * 768;
          last = mv;
        }
        put(dstRow[x], t, srcRow[x]);
      }
    }
  };
  switch (channel) {
    case kChannelAll:
      lutRows([](Pixel& d, const std::uint8_t* t, Pixel s) {
        d = (d & 0xFF000000u) | (Pixel{t[PixelRed(s)]} << 16) | (Pixel{t[256 + PixelGreen(s)]} << 8) |
            Pixel{t[512 + PixelBlue(s)]};
      });
      break;
    case kChannelRed:
      lutRows([](Pixel& d, const std::uint8_t* t, Pixel s) { d = (d & 0xFF00FFFFu) | (Pixel{t[PixelRed(s)]} << 16); });
      break;
    case kChannelGreen:
      lutRows([](Pixel& d, const std::uint8_t* t, Pixel s) {
        d = (d & 0xFFFF00FFu) | (Pixel{t[256 + PixelGreen(s)]} << 8);
      });
      break;
    case kChannelBlue:
      lutRows([](Pixel& d, const std::uint8_t* t, Pixel s) { d = (d & 0xFFFFFF00u) | Pixel{t[512 + PixelBlue(s)]}; });
      break;
    default: break;
  }
  if (stopped) return;
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
