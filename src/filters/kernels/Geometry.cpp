#include "filters/kernels/Geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace rv {

namespace {

// Turns go tile by tile so that both the rows read and the rows written stay in the cache.
constexpr int kTile = 32;

}  // namespace

Bitmap FlipHorizontal(const Bitmap& src) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(w, h);
  for (int y = 0; y < h; ++y) std::memcpy(out.Row(h - 1 - y), src.Row(y), src.BytesPerLine());
  return out;
}

Bitmap FlipVertical(const Bitmap& src) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(w, h);
  for (int y = 0; y < h; ++y) std::reverse_copy(src.Row(y), src.Row(y) + w, out.Row(y));
  return out;
}

Bitmap RotateFull(const Bitmap& src) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(w, h);
  for (int y = 0; y < h; ++y) std::reverse_copy(src.Row(y), src.Row(y) + w, out.Row(h - 1 - y));
  return out;
}

Bitmap RotateRight(const Bitmap& src) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(h, w);
  for (int y0 = 0; y0 < h; y0 += kTile)
    for (int x0 = 0; x0 < w; x0 += kTile) {
      const int y1 = std::min(y0 + kTile, h), x1 = std::min(x0 + kTile, w);
      for (int x = x0; x < x1; ++x) {
        Pixel* d = out.Row(x) + (h - 1);
        for (int y = y0; y < y1; ++y) d[-y] = src.Row(y)[x];
      }
    }
  return out;
}

Bitmap RotateLeft(const Bitmap& src) {
  const int w = src.Width(), h = src.Height();
  Bitmap out(h, w);
  for (int y0 = 0; y0 < h; y0 += kTile)
    for (int x0 = 0; x0 < w; x0 += kTile) {
      const int y1 = std::min(y0 + kTile, h), x1 = std::min(x0 + kTile, w);
      for (int x = x0; x < x1; ++x) {
        Pixel* d = out.Row(w - 1 - x);
        for (int y = y0; y < y1; ++y) d[y] = src.Row(y)[x];
      }
    }
  return out;
}

Bitmap ResampleBilinear(const Bitmap& src, int width, int height) {
  if (width < 1 || height < 1) throw std::invalid_argument("resample to an empty size");
  if (src.Empty()) throw std::invalid_argument("resample of an empty picture");
  const int w = src.Width(), h = src.Height();
  Bitmap out(width, height);
  const float rx = static_cast<float>(static_cast<double>(w) / width);
  const float ry = static_cast<float>(static_cast<double>(h) / height);

  // Per target column: the two source columns and their weights, as doubles
  // holding the single-precision fx exactly.
  struct Tap {
    int i0, i1;
    double g0, g1;  // 1 - f, f
  };
  auto taps = [](int n, float r, int limit) {
    std::vector<Tap> t(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      const float s = static_cast<float>(i) * r;
      // Never past the last source pixel, whatever the rounding of r.
      const int i0 = std::min(static_cast<int>(s), limit - 1);
      const float f = s - static_cast<float>(i0);
      const int i1 = i0 + 1 < limit ? i0 + 1 : i0;
      t[static_cast<std::size_t>(i)] = {i0, i1, 1 - static_cast<double>(f), static_cast<double>(f)};
    }
    return t;
  };
  const std::vector<Tap> cols = taps(width, rx, w);
  const std::vector<Tap> rows = taps(height, ry, h);

  for (int row = 0; row < height; ++row) {
    const Tap& ty = rows[static_cast<std::size_t>(row)];
    const Pixel* r0 = src.Row(ty.i0);
    const Pixel* r1 = src.Row(ty.i1);
    Pixel* d = out.Row(row);
    for (int col = 0; col < width; ++col) {
      const Tap& tx = cols[static_cast<std::size_t>(col)];
      const Pixel p00 = r0[tx.i0], p10 = r0[tx.i1], p01 = r1[tx.i0], p11 = r1[tx.i1];
      auto channel = [&](int shift) {
        auto c = [shift](Pixel p) { return static_cast<double>((p >> shift) & 0xFFu); };
        const float top = static_cast<float>(tx.g0 * c(p00) + tx.g1 * c(p10));
        const float bottom = static_cast<float>(tx.g0 * c(p01) + tx.g1 * c(p11));
        float v = static_cast<float>(ty.g0 * top + ty.g1 * bottom);
        v = std::clamp(v, 0.0f, 255.0f);
        return static_cast<int>(v);
      };
      d[col] = MakePixel(channel(16), channel(8), channel(0));
    }
  }
  return out;
}

int ProportionalHeight(int typedWidth, int width, int height) {
  if (width <= 0) return 0;
  const long long r = static_cast<long long>(height) * 100 / width;
  return static_cast<int>(std::min<long long>(typedWidth * r / 100, INT32_MAX));
}

int ProportionalWidth(int typedHeight, int width, int height) {
  if (height <= 0) return 0;
  const long long r = static_cast<long long>(width) * 100 / height;
  return static_cast<int>(std::min<long long>(typedHeight * r / 100, INT32_MAX));
}

std::optional<CropBand> AutoCropBand(CropAxis axis, int power, int width, int height) {
  const long long extent = axis == CropAxis::Rows ? height : width;
  const long long p = power;
  if ((p < 0 ? -p : p) >= extent) return std::nullopt;
  const int nearEdge = std::max(0, power);
  const int farEdge = static_cast<int>(extent + std::min(0, power));
  if (axis == CropAxis::Rows) return CropBand{0, nearEdge, width, farEdge - nearEdge};
  return CropBand{nearEdge, 0, farEdge - nearEdge, height};
}

Bitmap AutoCropAlignment(const Bitmap& aligned, CropAxis axis, int power) {
  const auto band = AutoCropBand(axis, power, aligned.Width(), aligned.Height());
  if (!band) return aligned;
  return aligned.Copy(band->left, band->top, band->width, band->height);
}

const std::vector<GeometryCommand>& GeometryCommands() {
  static const std::vector<GeometryCommand> commands = {
      {"FlipHorizontal", "Odbicie horyzontalne", "Odbicie horyzontalne", "Mirror: the rows in reverse order (upside down).",
       FlipHorizontal},
      {"FlipVertical", "Odbicie wertyklane", "Odbicie wertykalne", "Mirror: the columns in reverse order (left to right).",
       FlipVertical},
      {"RotateRight", "W prawo", "Obrót w prawo", "A quarter turn clockwise.", RotateRight},
      {"RotateLeft", "W lewo", "Obrót w lewo", "A quarter turn anticlockwise.", RotateLeft},
      {"RotateFull", "Pełny obrót", "Pełen obrót", "A half turn.", RotateFull},
      {"Resize", "Zmień rozmiar...", "Zmiana rozmiaru",
       "Bilinear resampling to Width x Height (one of them alone keeps the proportions).", nullptr},
  };
  return commands;
}

const GeometryCommand* FindGeometryCommand(const char* stem) {
  for (const GeometryCommand& c : GeometryCommands())
    if (std::strcmp(c.Stem, stem) == 0) return &c;
  return nullptr;
}

}  // namespace rv
