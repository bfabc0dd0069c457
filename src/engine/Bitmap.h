// 32-bit pictures and the selection mask.
//
// A pixel is four bytes in memory: blue, green, red and a fourth byte that no
// operation reads. Rows run top to bottom without padding, so a Bitmap can be
// wrapped by QImage::Format_RGB32 without copying. New pixels carry 0xFF in the
// fourth byte and every store keeps the byte it finds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace rv {

using Pixel = std::uint32_t;

constexpr int PixelBlue(Pixel p) { return static_cast<int>(p & 0xFFu); }
constexpr int PixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFFu); }
constexpr int PixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFFu); }
constexpr Pixel MakePixel(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
         static_cast<Pixel>(b & 0xFF);
}

// Packed colour of the colour controls: red in bits 0..7, green 8..15, blue 16..23.
using PackedColor = std::uint32_t;
constexpr int PackedRed(PackedColor c) { return static_cast<int>(c & 0xFFu); }
constexpr int PackedGreen(PackedColor c) { return static_cast<int>((c >> 8) & 0xFFu); }
constexpr int PackedBlue(PackedColor c) { return static_cast<int>((c >> 16) & 0xFFu); }
constexpr PackedColor MakePacked(int r, int g, int b) {
  return static_cast<PackedColor>(r & 0xFF) | (static_cast<PackedColor>(g & 0xFF) << 8) |
         (static_cast<PackedColor>(b & 0xFF) << 16);
}
constexpr Pixel PackedToPixel(PackedColor c) { return MakePixel(PackedRed(c), PackedGreen(c), PackedBlue(c)); }
constexpr PackedColor PixelToPacked(Pixel p) { return MakePacked(PixelRed(p), PixelGreen(p), PixelBlue(p)); }

// Largest picture we agree to hold: 2^27 pixels (512 MiB of pixels), far above
// any photograph and small enough that width * height * 4 never overflows.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;
bool SizeAllowed(std::int64_t width, std::int64_t height);

namespace detail {
struct PixelFree {
  void operator()(Pixel* p) const;
};
using PixelStore = std::unique_ptr<Pixel[], PixelFree>;
// Storage for n pixels, not initialised; large blocks ask for huge pages.
PixelStore AllocatePixels(std::size_t n);
}  // namespace detail

class Bitmap {
 public:
  Bitmap() = default;
  // Throws std::bad_alloc (or std::length_error for a size beyond kMaxPixels).
  Bitmap(int width, int height, Pixel fill = 0xFFFFFFFFu);
  // A picture whose pixels the caller is about to write in full.
  static Bitmap Uninitialized(int width, int height);

  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  std::size_t BytesPerLine() const { return static_cast<std::size_t>(width_) * 4; }

  Pixel* Row(int y) { return pixels_.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const Pixel* Row(int y) const {
    return pixels_.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  Pixel* Data() { return pixels_.get(); }
  const Pixel* Data() const { return pixels_.get(); }
  std::size_t PixelCount() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_); }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, Pixel p) { Row(y)[x] = p; }

  void Fill(Pixel p);
  // Copy of the rectangle [left, left + w) x [top, top + h), clipped to the picture.
  Bitmap Copy(int left, int top, int w, int h) const;

  friend bool operator==(const Bitmap& a, const Bitmap& b);

 private:
  int width_ = 0;
  int height_ = 0;
  detail::PixelStore pixels_;
};

// Copies the rectangle [left, left + w) x [top, top + h) of from onto the same
// place of to, clipped to both pictures.
void CopyArea(const Bitmap& from, Bitmap& to, int left, int top, int w, int h);

// True when the three colour channels of every pixel agree (the fourth byte is ignored).
bool SameColors(const Bitmap& a, const Bitmap& b);

// Degree of selection of each pixel, 0..100, one byte per pixel in rows.
class SelectionMask {
 public:
  SelectionMask() = default;
  SelectionMask(int width, int height, std::uint8_t value = 100);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  std::uint8_t* Row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const std::uint8_t* Row(int y) const {
    return bytes_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  std::uint8_t At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, std::uint8_t v) { Row(y)[x] = v; }
  void Fill(std::uint8_t v);
  // Every value m becomes 100 - m.
  void Invert();
  // True when the rectangle lies inside the mask.
  bool Covers(int left, int top, int w, int h) const;

  friend bool operator==(const SelectionMask& a, const SelectionMask& b) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace rv
