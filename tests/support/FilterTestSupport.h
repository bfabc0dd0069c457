// Running registry filters on small pictures in tests.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "engine/Random.h"
#include "filters/registry/FilterRegistry.h"

namespace rv::test {

struct Run {
  Run(std::string s, std::vector<std::pair<std::string, int>> v = {}, KernelContext c = {})
      : stem(std::move(s)), sets(std::move(v)), ctx(c) {}
  std::string stem;
  std::vector<std::pair<std::string, int>> sets;
  KernelContext ctx;
  int transparency = 100;
  const SelectionMask* mask = nullptr;
};

// A full run of the filter over the whole picture, as the dialog's OK does.
inline Bitmap RunFull(const Run& r, const Bitmap& src) {
  const FilterDecl* decl = FindFilter(r.stem);
  if (!decl) throw std::runtime_error("no filter " + r.stem);
  FilterSettings v(*decl);
  for (const auto& [name, value] : r.sets) {
    const std::string problem = v.Set(name, value);
    if (!problem.empty()) throw std::runtime_error(problem);
  }
  SelectionMask full(src.Width(), src.Height(), 100);
  Bitmap dst = src;
  CPixelEngine e;
  KernelContext ctx = r.ctx;
  ctx.Picture = &src;
  const KernelArgs a{e, dst, src, r.mask ? *r.mask : full, r.transparency, true, src.Width(), src.Height(), ctx};
  decl->Run(a, v);
  return dst;
}

inline Bitmap Uniform(int w, int h, Rgb c) { return Bitmap(w, h, MakePixel(c.r, c.g, c.b)); }

inline Rgb RgbAt(const Bitmap& b, int x, int y) {
  const Pixel p = b.At(x, y);
  return {PixelRed(p), PixelGreen(p), PixelBlue(p)};
}

// A picture of pseudo-random colours (its own generator: the program's one is left alone).
inline Bitmap Noise(int w, int h, std::uint32_t seed) {
  Bitmap b(w, h);
  std::uint32_t s = seed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      b.Set(x, y, 0xFF000000u | (s >> 8));
    }
  return b;
}

}  // namespace rv::test
