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
      .DialogCaption = "Opcje barwy",
      .HistoryLabel = "Zmiana barwy",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Power", "Promień:", 0, 240, 0)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyHue(a, v.Get("Power")); },
      .Summary = "Hue: turns every pixel's hue by Power (0..240, 240 is a full turn).",
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

}  // namespace

void ApplyHue(const KernelArgs& a, int power) {
  PointFilter f;
  f.EffectTopOf = TurnHue;
  f.EffectTopData = &power;
  f.Separable = false;
  RunPointFilter(a, f, [](Rgb, Rgb e) { return e; });
}

}  // namespace rv
