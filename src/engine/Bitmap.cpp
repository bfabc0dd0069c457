#include "engine/Bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace rv {

bool SizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels && width * height <= kMaxPixels;
}

namespace detail {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

void PixelFree::operator()(Pixel* p) const { std::free(p); }

PixelStore AllocatePixels(std::size_t n) {
  if (n == 0) return PixelStore();
  const std::size_t bytes = n * sizeof(Pixel);
  void* p = nullptr;
  if (bytes >= 2 * kHugePage) {
    // Whole pictures are touched row after row; huge pages spare most of the page faults.
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    p = std::aligned_alloc(kHugePage, rounded);
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
  } else {
    p = std::malloc(bytes);
  }
  if (!p) throw std::bad_alloc();
  return PixelStore(static_cast<Pixel*>(p));
}

}  // namespace detail

Bitmap Bitmap::Uninitialized(int width, int height) {
  if (width < 0 || height < 0) throw std::length_error("negative picture size");
  if (width != 0 && height != 0 && !SizeAllowed(width, height)) throw std::length_error("picture too large");
  Bitmap b;
  b.pixels_ = detail::AllocatePixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  b.width_ = width;
  b.height_ = height;
  return b;
}

Bitmap::Bitmap(int width, int height, Pixel fill) : Bitmap(Uninitialized(width, height)) { Fill(fill); }

Bitmap::Bitmap(const Bitmap& other) : Bitmap(Uninitialized(other.width_, other.height_)) {
  if (PixelCount()) std::memcpy(pixels_.get(), other.pixels_.get(), PixelCount() * sizeof(Pixel));
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  if (other.PixelCount() != PixelCount()) {
    Bitmap copy(other);
    *this = std::move(copy);
    return *this;
  }
  width_ = other.width_;
  height_ = other.height_;
  if (PixelCount()) std::memcpy(pixels_.get(), other.pixels_.get(), PixelCount() * sizeof(Pixel));
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(other.width_), height_(other.height_), pixels_(std::move(other.pixels_)) {
  other.width_ = 0;
  other.height_ = 0;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = std::move(other.pixels_);
  other.width_ = 0;
  other.height_ = 0;
  return *this;
}

void Bitmap::Fill(Pixel p) { std::fill(pixels_.get(), pixels_.get() + PixelCount(), p); }

Bitmap Bitmap::Copy(int left, int top, int w, int h) const {
  const int x0 = std::clamp(left, 0, width_);
  const int y0 = std::clamp(top, 0, height_);
  const int x1 = std::clamp(left + w, x0, width_);
  const int y1 = std::clamp(top + h, y0, height_);
  Bitmap out = Uninitialized(x1 - x0, y1 - y0);
  for (int y = y0; y < y1; ++y)
    std::memcpy(out.Row(y - y0), Row(y) + x0, static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
  return out;
}

void CopyArea(const Bitmap& from, Bitmap& to, int left, int top, int w, int h) {
  const int width = std::min(from.Width(), to.Width());
  const int height = std::min(from.Height(), to.Height());
  const int x0 = std::clamp(left, 0, width);
  const int y0 = std::clamp(top, 0, height);
  const int x1 = std::clamp(left + w, x0, width);
  const int y1 = std::clamp(top + h, y0, height);
  if (x1 == x0) return;
  for (int y = y0; y < y1; ++y)
    std::memcpy(to.Row(y) + x0, from.Row(y) + x0, static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
}

bool operator==(const Bitmap& a, const Bitmap& b) {
  return a.width_ == b.width_ && a.height_ == b.height_ &&
         (a.PixelCount() == 0 || std::memcmp(a.Data(), b.Data(), a.PixelCount() * sizeof(Pixel)) == 0);
}

bool SameColors(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  const std::size_t n = a.PixelCount();
  const Pixel* pa = a.Data();
  const Pixel* pb = b.Data();
  for (std::size_t i = 0; i < n; ++i)
    if (((pa[i] ^ pb[i]) & 0x00FFFFFFu) != 0) return false;
  return true;
}

SelectionMask::SelectionMask(int width, int height, std::uint8_t value) {
  if (width < 0 || height < 0) throw std::length_error("negative mask size");
  if (width != 0 && height != 0 && !SizeAllowed(width, height)) throw std::length_error("mask too large");
  bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), value);
  width_ = width;
  height_ = height;
}

void SelectionMask::Fill(std::uint8_t v) { std::fill(bytes_.begin(), bytes_.end(), v); }

void SelectionMask::Invert() {
  for (auto& b : bytes_) b = static_cast<std::uint8_t>(100 - b);
}

bool SelectionMask::Covers(int left, int top, int w, int h) const {
  return left >= 0 && top >= 0 && w >= 0 && h >= 0 && left + w <= width_ && top + h <= height_;
}

}  // namespace rv
