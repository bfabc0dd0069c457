#include "document/io/BmpReader.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace rv {

namespace {
std::uint32_t Get32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

BmpRead ReadPlainBmp(const std::string& path, Bitmap& out) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return BmpRead::NotHandled;
  unsigned char h[54];
  if (std::fread(h, 1, sizeof h, f.get()) != sizeof h || h[0] != 'B' || h[1] != 'M') return BmpRead::NotHandled;
  const std::uint32_t offset = Get32(h + 10);
  const std::uint32_t infoSize = Get32(h + 14);
  const auto width = static_cast<std::int32_t>(Get32(h + 18));
  const auto rawHeight = static_cast<std::int32_t>(Get32(h + 22));
  const std::uint16_t planes = Get16(h + 26);
  const std::uint16_t bits = Get16(h + 28);
  const std::uint32_t compression = Get32(h + 30);
  if (infoSize < 40 || planes != 1 || compression != 0 || bits == 0 || bits > 32) return BmpRead::NotHandled;
  if (rawHeight == INT32_MIN || width <= 0 || rawHeight == 0) return BmpRead::NotHandled;
  const bool topDown = rawHeight < 0;
  const std::int32_t height = topDown ? -rawHeight : rawHeight;

  // Any uncompressed bitmap must hold all its rows; a short one would be shown incomplete.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
  if (std::fseek(f.get(), 0, SEEK_END) != 0) return BmpRead::NotHandled;
  const long size = std::ftell(f.get());
  if (size < 0 || static_cast<std::uint64_t>(offset) + stride * static_cast<std::uint64_t>(height) >
                      static_cast<std::uint64_t>(size))
    return BmpRead::Truncated;
  if ((infoSize != 40 && infoSize != 108 && infoSize != 124) || (bits != 24 && bits != 32) ||
      offset < 14 + infoSize || !SizeAllowed(width, height))
    return BmpRead::NotHandled;
  const int bytesPerPixel = bits / 8;
  if (std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return BmpRead::NotHandled;

  Bitmap pic = Bitmap::Uninitialized(width, height);
  std::vector<unsigned char> row(static_cast<std::size_t>(stride));
  for (std::int32_t i = 0; i < height; ++i) {
    if (std::fread(row.data(), 1, row.size(), f.get()) != row.size()) return BmpRead::NotHandled;
    Pixel* dst = pic.Row(topDown ? i : height - 1 - i);
    const unsigned char* p = row.data();
    for (std::int32_t x = 0; x < width; ++x, p += bytesPerPixel)
      dst[x] = 0xFF000000u | (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
  }
  out = std::move(pic);
  return BmpRead::Done;
}

}  // namespace rv
