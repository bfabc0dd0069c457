#include "filters/kernels/NeighbourTail.h"

namespace rv {

namespace detail {

void BeginNeighbourRun(const KernelArgs& a, bool usesEffect) {
  a.Engine.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  if (usesEffect) a.Engine.SelectEffect(a.Ctx.TypeBox);
}

bool EnterNeighbourRow(const KernelArgs& a) {
  if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
  return !a.Engine.Cancelled;
}

}  // namespace detail

namespace {
constexpr std::uint16_t kUnbuilt = 0xFFFF;
}

CandidateTail::CandidateTail(const KernelArgs& a, bool usesEffect)
    : e_(a.Engine),
      usesEffect_(usesEffect),
      width_(a.Width),
      a_(Percent(a.Transparency)),
      b_(Percent(100 - a.Transparency)),
      channel_(a.Engine.StoreProc) {
  perPixel_ = !BlendModeSeparable(e_.BlendIndex) || (usesEffect && !BlendModeSeparable(e_.EffectIndex));
  // "Zwykły" in both slots, full strength: (c * 1 + s * 0) * 1 + s * 0 is c.
  identity_ = e_.BlendIndex == 0 && (!usesEffect || e_.EffectIndex == 0) && a.Transparency == 100;
  tables_.resize(101);
}

int CandidateTail::Entry(int mv, int c, int s) {
  std::vector<std::uint16_t>& t = tables_[static_cast<std::size_t>(mv)];
  if (t.empty()) t.assign(256 * 256, kUnbuilt);
  std::uint16_t& v = t[static_cast<std::size_t>(c) * 256 + static_cast<std::size_t>(s)];
  if (v == kUnbuilt) {
    // Every stage works per channel with one formula for all three, so a
    // grey candidate over a grey source gives the value of any channel.
    const Pixel src[1] = {MakePixel(s, s, s)};
    Pixel out[1] = {src[0]};
    CPixelEngine local = e_;
    local.StoreProc = kChannelAll;
    detail::ComposeCandidate(local, usesEffect_, {c, c, c}, out, src, 0, Percent(mv), Percent(100 - mv), a_, b_);
    v = static_cast<std::uint16_t>(PixelRed(out[0]));
  }
  return v;
}

void CandidateTail::Row(const Pixel* cand, Pixel* dstRow, const Pixel* srcRow, const std::uint8_t* mask) {
  const int w = width_;
  if (perPixel_) {
    for (int x = 0; x < w; ++x)
      detail::ComposeCandidate(e_, usesEffect_, detail::PixelRgb(cand[x]), dstRow, srcRow, x, Percent(mask[x]),
                               Percent(100 - mask[x]), a_, b_);
    return;
  }
  static constexpr Pixel kKeep[4] = {0xFF000000u, 0xFF00FFFFu, 0xFFFF00FFu, 0xFFFFFF00u};
  static constexpr Pixel kWrite[4] = {0x00FFFFFFu, 0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  const Pixel keep = kKeep[channel_];
  const Pixel write = kWrite[channel_];
  for (int x = 0; x < w; ++x) {
    const int mv = mask[x];
    Pixel v;
    if (mv > 100) {  // outside the mask's range: no table, the plain compose
      detail::ComposeCandidate(e_, usesEffect_, detail::PixelRgb(cand[x]), dstRow, srcRow, x, Percent(mv),
                               Percent(100 - mv), a_, b_);
      continue;
    }
    if (mv == 0) {
      v = srcRow[x];  // an unselected pixel keeps its value
    } else if (mv == 100 && identity_) {
      v = cand[x];
    } else {
      const Pixel c = cand[x];
      const Pixel s = srcRow[x];
      v = 0;
      if (channel_ == kChannelAll || channel_ == kChannelRed)
        v |= static_cast<Pixel>(Entry(mv, PixelRed(c), PixelRed(s))) << 16;
      if (channel_ == kChannelAll || channel_ == kChannelGreen)
        v |= static_cast<Pixel>(Entry(mv, PixelGreen(c), PixelGreen(s))) << 8;
      if (channel_ == kChannelAll || channel_ == kChannelBlue)
        v |= static_cast<Pixel>(Entry(mv, PixelBlue(c), PixelBlue(s)));
    }
    dstRow[x] = (dstRow[x] & keep) | (v & write);
  }
}

}  // namespace rv
