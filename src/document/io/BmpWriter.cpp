#include "document/io/BmpWriter.h"

#include <cstdint>
#include <cstdio>
#include <memory>
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

bool WriteBmp24(const Bitmap& picture, const std::string& path) {
  const int w = picture.Width();
  const int h = picture.Height();
  if (w <= 0 || h <= 0) return false;
  const std::uint64_t stride = (static_cast<std::uint64_t>(w) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(h);
  if (imageSize + 54 > 0xFFFFFFFFull) return false;

  std::vector<unsigned char> header;
  header.reserve(54);
  header.push_back('B');
  header.push_back('M');
  Put32(header, static_cast<std::uint32_t>(54 + imageSize));
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, static_cast<std::uint32_t>(w));
  Put32(header, static_cast<std::uint32_t>(h));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, 0);  // no compression
  Put32(header, static_cast<std::uint32_t>(imageSize));
  Put32(header, 3780);  // 96 dpi
  Put32(header, 3780);
  Put32(header, 0);
  Put32(header, 0);

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  if (std::fwrite(header.data(), 1, header.size(), f.get()) != header.size()) return false;
  std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
  for (int y = h - 1; y >= 0; --y) {
    const Pixel* p = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<unsigned char>(PixelBlue(p[x]));
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(PixelGreen(p[x]));
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(PixelRed(p[x]));
    }
    if (std::fwrite(row.data(), 1, row.size(), f.get()) != row.size()) return false;
  }
  return std::fflush(f.get()) == 0 && !std::ferror(f.get());
}

}  // namespace rv
