// Linear gradient: the secondary colour at column Wid, turning into the
// primary colour at Sila percent of the picture's width on either side.
#include <cmath>
#include <cstdlib>

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PositionKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& GradientWidthFilter() {
  static const FilterDecl decl{
      .Stem = "GradientWidth",
      .DialogClass = "TFormGradientWidth",
      .MenuCaption = "Gradient poziomy...",
      .Menu = "Zaznaczenie",
      .DialogCaption = "Opcje poziomego gradientu",
      .HistoryLabel = "Gradient poziomy",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Wid", "Szerokość:", 1, 255, 127),
              Track("Sila", "Siła", 1, 200, 50),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyGradientWidth(a, v.Get("Sila"), v.Get("Wid"), a.Ctx.PrimaryColor, a.Ctx.SecondaryColor);
      },
      .Summary = "Horizontal gradient: the secondary colour at column Wid (1..W, at W / 2 unless set), "
                 "the primary at Sila % of the width away.",
      .Description = "Gradient poziomy: kolor pomocniczy w kolumnie Szerokość, przechodzący w kolor główny w "
                     "odległości Siła % szerokości obrazu.",
      // The command centres the gradient on the picture.
      .Prepare = [](FilterSettings& v, int width, int) {
        v.SetRange("Wid", 1, width);
        v.SetPosition("Wid", width / 2);
      },
  };
  return decl;
}

namespace {

// kX = trunc((1 - f) * Q + f * P), f a single-precision weight in 0..1.
inline Rgb MixColours(float f, Rgb p, Rgb q) {
  const double g = f;
  auto c = [g](int p, int q) { return static_cast<int>((1 - g) * q + g * p); };
  return {c(p.r, q.r), c(p.g, q.g), c(p.b, q.b)};
}

}  // namespace

void ApplyGradientWidth(const KernelArgs& a, int sila, int wid, PackedColor primary, PackedColor secondary) {
  const Rgb p{PackedRed(primary), PackedGreen(primary), PackedBlue(primary)};
  const Rgb q{PackedRed(secondary), PackedGreen(secondary), PackedBlue(secondary)};
  const double w = a.Ctx.Picture ? a.Ctx.Picture->Width() : a.Src.Width();
  const double s = std::max(sila, 1);
  auto topAt = [&](int px, int) {
    float f = static_cast<float>(static_cast<double>(std::abs(static_cast<long long>(wid) - px)) * 100 / w / s);
    f = std::min(f, 1.0f);
    return MixColours(f, p, q);
  };
  // The colour depends on the column only: one row serves them all.
  std::vector<Rgb> row;
  RunPositionFilter(a, topAt, [&](int, Rgb*) {
    if (row.empty())
      for (int x = 0; x < ClampedArgs(a).Width; ++x) row.push_back(topAt(PictureColumn(a, x), 0));
    return row.data();
  });
}

}  // namespace rv
