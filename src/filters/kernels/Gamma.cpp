// Gamma: the curve P * (s / P)^g through the pivot P (Redukcja), with g = (channel value + 1) / 100.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& GammaFilter() {
  static const FilterDecl decl{
      .Stem = "Gamma",
      .DialogClass = "TFormGamma",
      .MenuCaption = "Gamma...",
      .Menu = "Filtry proste",
      .DialogCaption = "Opcje gammy",
      .HistoryLabel = "Gamma",
      .PreviewHalfSize = 200,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("CanalR", "Kanał czerwony", 1, 255, 127, "Scal"),
              Track("CanalG", "Kanał zielony", 1, 255, 127, "Scal"),
              Track("CanalB", "Kanał niebieski", 1, 255, 127, "Scal"),
              Link("Scal", true),
              Track("RedukcjaR", "Redukcja R", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaG", "Redukcja G", 1, 255, 127, "ScalTolerant"),
              Track("RedukcjaB", "Redukcja B", 1, 255, 127, "ScalTolerant"),
              Link("ScalTolerant", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyGamma(a, v.Get("CanalR"), v.Get("CanalG"), v.Get("CanalB"), v.Get("RedukcjaR"), v.Get("RedukcjaG"), v.Get("RedukcjaB"));
      },
      .Summary = "Gamma: the curve P * (s / P)^g through the pivot P (Redukcja), with g = (channel value + 1) / 100.",
      .Description = "Korekcja gamma: krzywa potęgowa przez punkt odniesienia (Redukcja), z wykładnikiem zależnym od "
                     "wartości kanału.",
  };
  return decl;
}

namespace {

int GammaChannel(int s, int e, int pivot) {
  e = std::clamp(e, 0, 255);
  const double g = (e + 1) * 0.01;
  return static_cast<int>(std::pow(static_cast<double>(s), g) / std::pow(static_cast<double>(pivot), g - 1.0));
}

}  // namespace

void ApplyGamma(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                int redukcjaB) {
  PointFilter f;
  f.EffectTop = {canalR, canalG, canalB};
  const Rgb pivot{redukcjaR, redukcjaG, redukcjaB};
  if (a.Ctx.PlainPath) {
    RunPointFilter(a, f, [pivot](Rgb s, Rgb e) {
      return Rgb{GammaChannel(s.r, e.r, pivot.r), GammaChannel(s.g, e.g, pivot.g), GammaChannel(s.b, e.b, pivot.b)};
    });
    return;
  }
  // Effect modes that mix channels give every pixel its own amount; the two
  // powers then cost most, so each (channel, amount, value) is computed once.
  std::vector<std::int16_t> memo(3 * 256 * 256, -1);
  auto cached = [&memo](int channel, int s, int e, int pivot) {
    const int ec = std::clamp(e, 0, 255);
    std::int16_t& slot = memo[static_cast<std::size_t>((channel * 256 + ec) * 256 + s)];
    // The runner clamps candidates to 0..255, so the clamped value serves as well.
    if (slot < 0) slot = static_cast<std::int16_t>(std::clamp(GammaChannel(s, ec, pivot), 0, 255));
    return static_cast<int>(slot);
  };
  RunPointFilter(a, f, [pivot, &cached](Rgb s, Rgb e) {
    return Rgb{cached(0, s.r, e.r, pivot.r), cached(1, s.g, e.g, pivot.g), cached(2, s.b, e.b, pivot.b)};
  });
}

}  // namespace rv
