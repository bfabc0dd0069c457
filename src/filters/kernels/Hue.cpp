// Hue: turns each pixel's hue by Power on the 0..240 scale; the turned colour
// is the effect's top colour and its result the candidate.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PointKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HueFilter() {
  static const FilterDecl decl{
      .Stem = "Hue",
      .DialogClass = "TFormHue",
      .MenuCaption = "Barwa...",
      .Menu = "Efekty specjalne",
      .DialogCaption = "Opcje barwy",
      .HistoryLabel = "Zmiana barwy",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Power", "Promień:", 0, 240, 0)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyHue(a, v.Get("Power")); },
      .Summary = "Hue: turns every pixel's hue by Power (0..240, 240 is a full turn).",
      .Description = "Zmiana barwy: obraca barwę każdego piksela (240 to pełny obrót).",
      .Example = {"--set", "Power=80"},
  };
  return decl;
}

namespace {

Rgb TurnHue(Rgb s, const void* data) {
  const int power = *static_cast<const int*>(data);
  const Rgb hls = RgbToHls(s.r, s.g, s.b);
  int h = hls.r + power;
  if (h > 240) h -= 240;
  return HlsToRgb(h, hls.g, hls.b);
}

// TurnHue with RgbToHls and HlsToRgb written out in place, for channel
// values in 0..255: the same integer steps without the calls, the clamps
// that cannot act there, and the third hue difference that the hue does not
// use (the maximum's own difference is 0).
inline int Component(int lo, int hi, int hue) {
  if (hue < 0) hue += 240;
  if (hue > 240) hue -= 240;
  if (hue < 40) return lo + (hue * (hi - lo) + 20) / 40;
  if (hue < 120) return hi;
  if (hue < 160) return lo + ((160 - hue) * (hi - lo) + 20) / 40;
  return lo;
}

Rgb TurnHueInline(Rgb c, const void* data) {
  const int power = *static_cast<const int*>(data);
  const int r = c.r, g = c.g, b = c.b;
  const int mx = std::max(r, std::max(g, b));
  const int mn = std::min(r, std::min(g, b));
  const int l = ((mx + mn) * 240 + 255) / 510;
  if (mx == mn) {
    // Saturation 0: the hue plays no part.
    const int v = l * 255 / 240;
    return {v, v, v};
  }
  const int s = std::min(l <= 120 ? ((mx - mn) * 240 + (mx + mn) / 2) / (mx + mn)
                                  : ((mx - mn) * 240 + (510 - mx - mn) / 2) / (510 - mx - mn),
                         240);
  const int d = mx - mn;
  auto delta = [&](int v) { return ((mx - v) * 40 + d / 2) / d; };
  int h;
  if (r == mx)
    h = delta(b) - delta(g);
  else if (g == mx)
    h = 80 + delta(r) - delta(b);
  else
    h = 160 + delta(g) - delta(r);
  if (h < 0) h += 240;
  if (h > 240) h -= 240;
  h += power;
  if (h > 240) h -= 240;
  if (s == 0) {
    const int v = l * 255 / 240;
    return {v, v, v};
  }
  const int m2 = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
  const int m1 = 2 * l - m2;
  Rgb out{(Component(m1, m2, h + 80) * 255 + 120) / 240, (Component(m1, m2, h) * 255 + 120) / 240,
          (Component(m1, m2, h - 80) * 255 + 120) / 240};
  ClampRgb(out);
  return out;
}

}  // namespace

void ApplyHue(const KernelArgs& a, int power) {
  PointFilter f;
  // The plain path turns through the engine's conversions; the fast ones
  // through the same arithmetic in place.
  f.EffectTopOf = a.Ctx.PlainPath ? TurnHue : TurnHueInline;
  f.EffectTopData = &power;
  f.Separable = false;
  RunPointFilter(a, f, [](Rgb, Rgb e) { return e; });
}

}  // namespace rv
