#include "document/io/BmpWriter.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "document/io/ColorReduce.h"

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

const std::array<std::uint8_t, 256>& FiveBitTable() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) {
      int best = 0;
      for (int l = 1; l < 32; ++l)
        if (std::abs(((l << 3) | (l >> 2)) - v) < std::abs(((best << 3) | (best >> 2)) - v)) best = l;
      t[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(best);
    }
    return t;
  }();
  return table;
}
}  // namespace

int To5Bits(int v) { return FiveBitTable()[static_cast<std::size_t>(v & 0xFF)]; }

bool WriteBmp24(const Bitmap& picture, const std::string& path) { return WriteBmp(picture, path, 24); }

bool WriteBmp(const Bitmap& picture, const std::string& path, int depth) {
  if (!IsBmpDepth(depth)) return false;
  const int w = picture.Width();
  const int h = picture.Height();
  if (w <= 0 || h <= 0) return false;
  const std::uint64_t stride =
      (static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(depth) / 8 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(h);

  IndexedPicture indexed;
  if (depth == 8) indexed = ReduceColors(picture, 256);
  const std::uint32_t paletteSize = static_cast<std::uint32_t>(indexed.Palette.size());
  const std::uint64_t offset = 54 + std::uint64_t{4} * paletteSize;
  if (offset + imageSize > 0xFFFFFFFFull) return false;

  std::vector<unsigned char> header;
  header.reserve(static_cast<std::size_t>(offset));
  header.push_back('B');
  header.push_back('M');
  Put32(header, static_cast<std::uint32_t>(offset + imageSize));
  Put32(header, 0);
  Put32(header, static_cast<std::uint32_t>(offset));
  Put32(header, 40);
  Put32(header, static_cast<std::uint32_t>(w));
  Put32(header, static_cast<std::uint32_t>(h));
  Put16(header, 1);
  Put16(header, static_cast<std::uint32_t>(depth));
  Put32(header, 0);  // no compression; 16 bits are then 5-5-5
  Put32(header, static_cast<std::uint32_t>(imageSize));
  Put32(header, 3780);  // 96 dpi
  Put32(header, 3780);
  Put32(header, paletteSize);
  Put32(header, 0);
  for (const Pixel c : indexed.Palette) {
    header.push_back(static_cast<unsigned char>(PixelBlue(c)));
    header.push_back(static_cast<unsigned char>(PixelGreen(c)));
    header.push_back(static_cast<unsigned char>(PixelRed(c)));
    header.push_back(0);
  }

  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
  std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
  const auto& five = FiveBitTable();
  for (int y = h - 1; ok && y >= 0; --y) {
    const Pixel* p = picture.Row(y);
    unsigned char* o = row.data();
    switch (depth) {
      case 8:
        for (int x = 0; x < w; ++x) o[x] = indexed.At(x, y);
        break;
      case 16:
        for (int x = 0; x < w; ++x) {
          const unsigned v = static_cast<unsigned>(five[static_cast<std::size_t>(PixelRed(p[x]))]) << 10 |
                             static_cast<unsigned>(five[static_cast<std::size_t>(PixelGreen(p[x]))]) << 5 |
                             five[static_cast<std::size_t>(PixelBlue(p[x]))];
          o[2 * x] = static_cast<unsigned char>(v & 0xFF);
          o[2 * x + 1] = static_cast<unsigned char>(v >> 8);
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x, o += 3) {
          o[0] = static_cast<unsigned char>(PixelBlue(p[x]));
          o[1] = static_cast<unsigned char>(PixelGreen(p[x]));
          o[2] = static_cast<unsigned char>(PixelRed(p[x]));
        }
        break;
      default:
        // Readers that take the fourth byte for alpha must see an opaque picture.
        for (int x = 0; x < w; ++x, o += 4) {
          o[0] = static_cast<unsigned char>(PixelBlue(p[x]));
          o[1] = static_cast<unsigned char>(PixelGreen(p[x]));
          o[2] = static_cast<unsigned char>(PixelRed(p[x]));
          o[3] = 0xFF;
        }
        break;
    }
    ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
  }
  ok = ok && std::fflush(f) == 0 && !std::ferror(f);
  return std::fclose(f) == 0 && ok;
}

}  // namespace rv
