#include "document/io/BmpLevels.h"

#include <cstdint>
#include <fstream>

namespace rv {

namespace {
std::uint32_t Le(const unsigned char* b, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[i];
  return v;
}
}  // namespace

void RestoreSixteenBitLevels(const std::string& path, Bitmap& decoded) {
  unsigned char h[66] = {};
  std::ifstream f(path, std::ios::binary);
  if (!f.read(reinterpret_cast<char*>(h), sizeof h) && f.gcount() < 34) return;
  if (h[0] != 'B' || h[1] != 'M' || Le(h + 14, 4) < 40 || Le(h + 28, 2) != 16) return;
  const std::uint32_t compression = Le(h + 30, 4);
  int greenShift = 0;  // how far a widened level moves right to give its top bits
  if (compression == 0) {
    greenShift = 5;
  } else if (compression == 3 && f.gcount() >= 66) {
    const std::uint32_t r = Le(h + 54, 4), g = Le(h + 58, 4), b = Le(h + 62, 4);
    if (r == 0x7C00 && g == 0x03E0 && b == 0x001F) greenShift = 5;
    else if (r == 0xF800 && g == 0x07E0 && b == 0x001F) greenShift = 6;
  }
  if (!greenShift) return;
  for (int y = 0; y < decoded.Height(); ++y) {
    Pixel* p = decoded.Row(y);
    for (int x = 0; x < decoded.Width(); ++x) {
      const int r = PixelRed(p[x]), g = PixelGreen(p[x]), b = PixelBlue(p[x]);
      p[x] = (p[x] & 0xFF000000u) | static_cast<Pixel>((r | r >> 5) << 16) |
             static_cast<Pixel>((g | g >> greenShift) << 8) | static_cast<Pixel>(b | b >> 5);
    }
  }
}

}  // namespace rv
