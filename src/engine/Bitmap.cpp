#include "engine/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace rv {

bool SizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels && width * height <= kMaxPixels;
}

Bitmap::Bitmap(int width, int height, Pixel fill) {
  if (width < 0 || height < 0) throw std::length_error("negative picture size");
  if (width != 0 && height != 0 && !SizeAllowed(width, height)) throw std::length_error("picture too large");
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
  width_ = width;
  height_ = height;
}

void Bitmap::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

Bitmap Bitmap::Copy(int left, int top, int w, int h) const {
  const int x0 = std::clamp(left, 0, width_);
  const int y0 = std::clamp(top, 0, height_);
  const int x1 = std::clamp(left + w, x0, width_);
  const int y1 = std::clamp(top + h, y0, height_);
  Bitmap out(x1 - x0, y1 - y0);
  for (int y = y0; y < y1; ++y)
    std::memcpy(out.Row(y - y0), Row(y) + x0, static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
  return out;
}

bool operator==(const Bitmap& a, const Bitmap& b) {
  return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
}

bool SameColors(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  const std::size_t n = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height());
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
