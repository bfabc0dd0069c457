// Parts of RgbToHls for colours in 0..255, for the brushes that need only the
// hue (red eye) or only lightness and saturation (hue brush) of every pixel.
// They equal the corresponding results of RgbToHls.
#pragma once

namespace rv {

int HueOf(int r, int g, int b);
// Lightness in the first, saturation in the second.
struct LightSat {
  int l;
  int s;
};
LightSat LightSatOf(int r, int g, int b);

}  // namespace rv
