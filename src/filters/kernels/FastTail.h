// Building blocks of the fast paths: a table of a mode whose channels are
// separate, and the tail of ComposePixel (blend, selection and transparency
// mix, store) evaluated without calls through the engine's slots. Both give
// exactly what the engine's own routines give.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/BlendModes.h"
#include "engine/PixelEngine.h"

namespace rv {

// The selection and transparency mix of v over the source pixel s by the mask
// value m, stored through the channel. full: the transparency is 100 (a = 1,
// b = 0), so a fully selected pixel takes v exactly; an unselected one keeps s.
inline void MixAndStore(Rgb v, Pixel s, int m, bool full, float a, float b, int channel, Pixel* dstRow, int x) {
  int r, g, bl;
  if (m == 0) {
    r = PixelRed(s);
    g = PixelGreen(s);
    bl = PixelBlue(s);
  } else if (m == 100 && full) {
    r = v.r;
    g = v.g;
    bl = v.b;
  } else {
    const float w = Percent(m);
    const float u = Percent(100 - m);
    bl = MixSelectTransparency(v.b, PixelBlue(s), w, u, a, b);
    g = MixSelectTransparency(v.g, PixelGreen(s), w, u, a, b);
    r = MixSelectTransparency(v.r, PixelRed(s), w, u, a, b);
  }
  StoreChannels(channel, dstRow, x, r, g, bl);
}

// Mode n for one channel, T and S in 0..255; only for the modes that
// BlendModeSeparable accepts (their channel c depends on T_c and S_c alone and
// stays in 0..255).
class ModeTable {
 public:
  explicit ModeTable(int mode) : t_(256 * 256) {
    const ModeProc proc = BlendModeProc(mode);
    for (int top = 0; top < 256; ++top)
      for (int s = 0; s < 256; ++s) {
        const Pixel row[1] = {MakePixel(s, s, s)};
        t_[static_cast<std::size_t>(top * 256 + s)] =
            static_cast<std::uint8_t>(proc({top, top, top}, row, row, 0, 100, 100).r);
      }
  }
  int operator()(int top, int s) const { return t_[static_cast<std::size_t>(top * 256 + s)]; }

 private:
  std::vector<std::uint8_t> t_;
};

// ComposePixel (or ComposeWithoutBlend when blend is false) for candidates in
// 0..255. When Direct() is false the blend mode mixes channels or draws
// random numbers: the caller must use the engine's ComposePixel instead.
class FastTail {
 public:
  FastTail(const CPixelEngine& e, bool blend, int transparency)
      : channel_(e.StoreProc),
        a_(Percent(transparency)),
        b_(Percent(100 - transparency)),
        full_(transparency == 100),
        identity_(!blend || e.BlendIndex == 0),
        direct_(identity_ || BlendModeSeparable(e.BlendIndex)) {
    if (!identity_ && direct_) table_.emplace_back(e.BlendIndex);
  }

  bool Direct() const { return direct_; }
  // The blend result is the candidate, a fully selected pixel takes it whole
  // and all three channels are stored: Put may stand in for Compose.
  bool Plain() const { return identity_ && full_ && channel_ == kChannelAll; }
  // Compose when Plain() holds.
  static void Put(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, int m) {
    Pixel& d = dstRow[x];
    if (m == 100) {
      d = (d & 0xFF000000u) | (static_cast<Pixel>(c.r & 0xFF) << 16) | (static_cast<Pixel>(c.g & 0xFF) << 8) |
          static_cast<Pixel>(c.b & 0xFF);
    } else if (m == 0) {
      d = (d & 0xFF000000u) | (srcRow[x] & 0x00FFFFFFu);
    } else {
      const Pixel s = srcRow[x];
      const float w = Percent(m);
      const float u = Percent(100 - m);
      const int b = MixSelectTransparency(c.b, PixelBlue(s), w, u, 1.0f, 0.0f);
      const int g = MixSelectTransparency(c.g, PixelGreen(s), w, u, 1.0f, 0.0f);
      const int r = MixSelectTransparency(c.r, PixelRed(s), w, u, 1.0f, 0.0f);
      StoreChannels(kChannelAll, dstRow, x, r, g, b);
    }
  }

  // The blend result of candidate c over source s.
  Rgb Blend(Rgb c, Pixel s) const {
    if (identity_) return c;
    const ModeTable& t = table_.front();
    return {t(c.r, PixelRed(s)), t(c.g, PixelGreen(s)), t(c.b, PixelBlue(s))};
  }

  // Mix of a blend result by the mask value m and the transparency, stored.
  void Store(Rgb v, Pixel* dstRow, const Pixel* srcRow, int x, int m) const {
    MixAndStore(v, srcRow[x], m, full_, a_, b_, channel_, dstRow, x);
  }

  void Compose(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, int m) const {
    Store(Blend(c, srcRow[x]), dstRow, srcRow, x, m);
  }

 private:
  int channel_;
  float a_;
  float b_;
  bool full_;
  bool identity_;
  bool direct_;
  std::vector<ModeTable> table_;  // empty unless needed
};

}  // namespace rv
