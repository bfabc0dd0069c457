// Pictures the benchmarks run on.
#pragma once

#include <cstdint>

#include "engine/Bitmap.h"

namespace rv::bench {

// Pseudo-random colours, the same for a given seed.
inline Bitmap NoisePicture(int w, int h, std::uint32_t seed) {
  Bitmap b = Bitmap::Uninitialized(w, h);
  std::uint32_t s = seed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      b.Set(x, y, 0xFF000000u | (s >> 8));
    }
  return b;
}

}  // namespace rv::bench
