#include "document/io/IcoWriter.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace rv {

namespace {
void Put16(std::vector<unsigned char>& b, std::uint32_t v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void Put32(std::vector<unsigned char>& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
}  // namespace

bool WriteIco(const Bitmap& picture, const std::string& path) {
  const int w = picture.Width();
  const int h = picture.Height();
  if (!IconSizeAllowed(w, h)) return false;
  const std::uint32_t xorSize = static_cast<std::uint32_t>(w) * static_cast<std::uint32_t>(h) * 4;
  const std::uint32_t maskStride = ((static_cast<std::uint32_t>(w) + 31) / 32) * 4;
  const std::uint32_t andSize = maskStride * static_cast<std::uint32_t>(h);
  const std::uint32_t imageSize = 40 + xorSize + andSize;

  std::vector<unsigned char> b;
  b.reserve(6 + 16 + imageSize);
  Put16(b, 0);  // reserved
  Put16(b, 1);  // icon
  Put16(b, 1);  // one image
  b.push_back(static_cast<unsigned char>(w & 0xFF));  // 256 is stored as 0
  b.push_back(static_cast<unsigned char>(h & 0xFF));
  b.push_back(0);  // no palette
  b.push_back(0);
  Put16(b, 1);   // planes
  Put16(b, 32);  // bits per pixel
  Put32(b, imageSize);
  Put32(b, 6 + 16);

  // The image is a bitmap without file header, twice as high: colours, then the mask.
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(w));
  Put32(b, static_cast<std::uint32_t>(h) * 2);
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 0);
  Put32(b, xorSize + andSize);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = h - 1; y >= 0; --y) {
    const Pixel* p = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      b.push_back(static_cast<unsigned char>(PixelBlue(p[x])));
      b.push_back(static_cast<unsigned char>(PixelGreen(p[x])));
      b.push_back(static_cast<unsigned char>(PixelRed(p[x])));
      b.push_back(0xFF);  // opaque
    }
  }
  b.insert(b.end(), andSize, 0);

  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  ok = ok && std::fflush(f) == 0 && !std::ferror(f);
  return std::fclose(f) == 0 && ok;
}

}  // namespace rv
