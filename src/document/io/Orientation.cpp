#include "document/io/Orientation.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace rv {

int NormalOrientation(int tag) { return tag >= 1 && tag <= 8 ? tag : 1; }

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

OrientedRows::OrientedRows(int storedWidth, int storedHeight, int orientation)
    : width_(storedWidth), height_(storedHeight), orientation_(NormalOrientation(orientation)) {
  if (SwapsSides(orientation_)) {
    upright_ = Bitmap::Uninitialized(storedHeight, storedWidth);
    band_.resize(static_cast<std::size_t>(kBand) * static_cast<std::size_t>(storedWidth));
  } else {
    upright_ = Bitmap::Uninitialized(storedWidth, storedHeight);
  }
}

Pixel* OrientedRows::Row(int y) {
  switch (orientation_) {
    case 1:
    case 2: return upright_.Row(y);
    case 3:
    case 4: return upright_.Row(height_ - 1 - y);
    default: return band_.data() + static_cast<std::size_t>(y % kBand) * static_cast<std::size_t>(width_);
  }
}

void OrientedRows::RowsDone(int y) {
  if (y <= done_) return;
  const int first = done_ + 1;
  if (orientation_ == 2 || orientation_ == 3) {
    for (int r = first; r <= y; ++r) {
      Pixel* row = Row(r);
      std::reverse(row, row + width_);
    }
    done_ = y;
  } else if (SwapsSides(orientation_)) {
    // A band goes out whole: its rows become 16 neighbouring columns, so
    // every upright row receives one cache line per band.
    const int bandStart = first - first % kBand;
    if ((y + 1) % kBand == 0 || y == height_ - 1) {
      Flush(bandStart, y);
      done_ = y;
    }
  } else {
    done_ = y;
  }
}

void OrientedRows::Flush(int first, int last) {
  const int n = last - first + 1;
  const Pixel* rows[kBand];
  for (int i = 0; i < n; ++i) rows[i] = band_.data() + static_cast<std::size_t>((first + i) % kBand) * width_;
  // Stored (x, y) lands in upright row v at column u.
  const bool mirrorRows = orientation_ == 7 || orientation_ == 8;  // v = width - 1 - x
  const bool mirrorCols = orientation_ == 6 || orientation_ == 7;  // u = height - 1 - y
  auto rowFor = [&](int x) { return upright_.Row(mirrorRows ? width_ - 1 - x : x); };
  auto column = [&](int i) { return mirrorCols ? height_ - 1 - (first + i) : first + i; };
  int x = 0;
#ifdef __SSE2__
  // Blocks of 4 x 4 pixels turned in registers.
  const int n4 = n - n % 4;
  // Each upright row takes a whole cache line from a band: stored past the
  // caches, the line need not be read first. That needs 16-byte alignment.
  const bool aligned = height_ % 4 == 0 && reinterpret_cast<std::uintptr_t>(upright_.Data()) % 16 == 0;
  for (; x + 4 <= width_; x += 4) {
    Pixel* out[4] = {rowFor(x), rowFor(x + 1), rowFor(x + 2), rowFor(x + 3)};
    for (int i = 0; i < n4; i += 4) {
      const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i] + x));
      const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i + 1] + x));
      const __m128i a2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i + 2] + x));
      const __m128i a3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[i + 3] + x));
      const __m128i b0 = _mm_unpacklo_epi32(a0, a1), b1 = _mm_unpackhi_epi32(a0, a1);
      const __m128i b2 = _mm_unpacklo_epi32(a2, a3), b3 = _mm_unpackhi_epi32(a2, a3);
      __m128i t[4] = {_mm_unpacklo_epi64(b0, b2), _mm_unpackhi_epi64(b0, b2), _mm_unpacklo_epi64(b1, b3),
                      _mm_unpackhi_epi64(b1, b3)};
      const int u = mirrorCols ? column(i + 3) : column(i);
      for (int k = 0; k < 4; ++k) {
        const __m128i v = mirrorCols ? _mm_shuffle_epi32(t[k], 0x1B) : t[k];
        if (aligned)
          _mm_stream_si128(reinterpret_cast<__m128i*>(out[k] + u), v);
        else
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out[k] + u), v);
      }
    }
    for (int i = n4; i < n; ++i)
      for (int k = 0; k < 4; ++k) out[k][column(i)] = rows[i][x + k];
  }
#endif
  for (; x < width_; ++x) {
    Pixel* out = rowFor(x);
    for (int i = 0; i < n; ++i) out[column(i)] = rows[i][x];
  }
#ifdef __SSE2__
  _mm_sfence();
#endif
}

Bitmap OrientPicture(Bitmap stored, int orientation) {
  orientation = NormalOrientation(orientation);
  if (orientation == 1 || stored.Empty()) return stored;
  const int w = stored.Width(), h = stored.Height();
  if (orientation == 2) {
    for (int y = 0; y < h; ++y) std::reverse(stored.Row(y), stored.Row(y) + w);
    return stored;
  }
  if (orientation == 3) {
    std::reverse(stored.Data(), stored.Data() + stored.PixelCount());
    return stored;
  }
  if (orientation == 4) {
    for (int y = 0; y < h / 2; ++y) std::swap_ranges(stored.Row(y), stored.Row(y) + w, stored.Row(h - 1 - y));
    return stored;
  }
  OrientedRows upright(w, h, orientation);
  for (int y = 0; y < h; ++y) {
    std::memcpy(upright.Row(y), stored.Row(y), stored.BytesPerLine());
    upright.RowsDone(y);
  }
  return upright.Take();
}

}  // namespace rv
