// Parts of RgbToHls for colours in 0..255, for the brushes that need only the
// hue (red eye) or only lightness and saturation (hue brush) of every pixel.
// They equal the corresponding results of RgbToHls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/BlendModes.h"

namespace rv {

int HueOf(int r, int g, int b);
// Lightness in the first, saturation in the second.
struct LightSat {
  int l;
  int s;
};
LightSat LightSatOf(int r, int g, int b);

// HlsToRgb for one hue and any lightness and saturation in 0..240, from a
// table of all 241 x 241 results built once for the hue.
class HlsAtHue {
 public:
  explicit HlsAtHue(int hue);
  int Hue() const { return hue_; }
  Rgb operator()(int l, int s) const {
    const std::uint32_t v = table_[static_cast<std::size_t>(l) * 241 + static_cast<std::size_t>(s)];
    return {static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu), static_cast<int>(v >> 16)};
  }

 private:
  int hue_;
  std::vector<std::uint32_t> table_;
};

}  // namespace rv
