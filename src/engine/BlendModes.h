// The 26 ways of laying a colour T over a base pixel S. One set of formulas
// serves both engine slots: the blend slot (T = a filter's or tool's colour)
// and the effect slot (T = a dialog's channel values).
#pragma once

#include <array>

#include "engine/Bitmap.h"
#include "engine/Random.h"

namespace rv {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr int kBlendModeCount = 26;

// The names shown in every "Tryb:" and "Rodzaj:" list, in BlendMode order (UTF-8).
extern const std::array<const char*, kBlendModeCount> kBlendModeNames;

// Index of a mode given by number ("3") or by its Polish name; -1 when unknown.
int FindBlendMode(const char* text);

// Calling convention of a mode routine: the top colour, the destination and
// source rows, the column, and p, q (used only by "Rozpuszczenie").
using ModeProc = Rgb (*)(Rgb top, const Pixel* dstRow, const Pixel* srcRow, int x, int p, int q);

// Mode 1, "Rozpuszczenie": draw r1; if r1 mod q < p, draw r2, and an odd r2
// gives the destination pixel d; every other case gives the top colour.
inline Rgb Dissolve(Rgb top, Pixel d, int p, int q) {
  const int r1 = Random();
  if (q > 0 && r1 % q < p && Random() % 2 != 0) return {PixelRed(d), PixelGreen(d), PixelBlue(d)};
  return top;
}

// The routine of mode n (0..25), nullptr for any other n.
ModeProc BlendModeProc(int n);

// Mode n over `count` pixels of a row at once: out[x] = mode(top[x * topStep],
// dstRow, srcRow, x, p, q) for x from 0 to count - 1, in that order (so the
// draws of "Rozpuszczenie" come in pixel order). topStep 0 lays one colour
// over the whole row.
using ModeRowProc = void (*)(const Rgb* top, int topStep, const Pixel* dstRow, const Pixel* srcRow, int count,
                             int p, int q, Rgb* out);
ModeRowProc BlendModeRowProc(int n);

// True for the modes whose channel c depends only on T_c and S_c (and on
// nothing random): the ones a per-channel table can stand for. In the effect
// slot T is the same for every pixel, so the modes that use only the mean of T
// qualify there too.
bool BlendModeSeparable(int n);
bool EffectModeSeparable(int n);

// A value >= 256 becomes 255, one below 0 becomes 0.
inline int ClampByte(int v) { return v >= 256 ? 255 : (v < 0 ? 0 : v); }
inline void ClampRgb(int& r, int& g, int& b) {
  r = ClampByte(r);
  g = ClampByte(g);
  b = ClampByte(b);
}
inline void ClampRgb(Rgb& c) { ClampRgb(c.r, c.g, c.b); }
void ClampHls(int& h, int& l, int& s);
void ClampRgbF(float& r, float& g, float& b);
void ContrastingColor(int& r, int& g, int& b);

// Hue, lightness, saturation on 0..240; greys have hue 160.
Rgb RgbToHls(int r, int g, int b);  // result fields hold H, L, S
// The same with plain integer divisions, for any input (the reference of the above).
Rgb RgbToHlsPlain(int r, int g, int b);
Rgb HlsToRgb(int h, int l, int s);
int HueToComponent(int lo, int hi, int hue);

}  // namespace rv
