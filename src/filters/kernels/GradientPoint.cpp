// Radial gradient: the secondary colour at (Wid, Hei), turning into the
// primary colour at Sila percent of the picture's diagonal from it.
#include <cmath>

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/PositionKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& GradientPointFilter() {
  static const FilterDecl decl{
      .Stem = "GradientPoint",
      .DialogClass = "TFormGradientPoint",
      .MenuCaption = "Gradient promienisty...",
      .Menu = "Zaznaczenie",
      .DialogCaption = "Opcje promienistego gradientu",
      .HistoryLabel = "Gradient promienisty",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Wid", "Szerokość:", 1, 255, 127),
              Track("Hei", "Wysokość:", 1, 255, 127),
              Track("Sila", "Siła", 1, 200, 50),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyGradientPoint(a, v.Get("Sila"), v.Get("Wid"), v.Get("Hei"), a.Ctx.PrimaryColor, a.Ctx.SecondaryColor);
      },
      .Summary = "Radial gradient: the secondary colour at (Wid, Hei) (1..W, 1..H, the centre unless set), "
                 "the primary at Sila % of the diagonal away.",
      .Description = "Gradient promienisty: kolor pomocniczy w punkcie (Szerokość, Wysokość), przechodzący w kolor "
                     "główny w odległości Siła % przekątnej.",
      // The command puts the centre in the middle of the picture.
      .Prepare = [](FilterSettings& v, int width, int height) {
        v.SetRange("Wid", 1, width);
        v.SetPosition("Wid", width / 2);
        v.SetRange("Hei", 1, height);
        v.SetPosition("Hei", height / 2);
      },
  };
  return decl;
}

namespace {

// Whole part of the square root, exact for every 64-bit square sum (the
// double root alone could round up to the next whole number for huge ones).
inline long long WholeRoot(long long n) {
  long long r = static_cast<long long>(std::sqrt(static_cast<double>(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// Whole part of the distance; the squares are summed in 64 bits, which no
// picture size can overflow.
inline long long Distance(long long dx, long long dy) { return WholeRoot(dx * dx + dy * dy); }

}  // namespace

void ApplyGradientPoint(const KernelArgs& a, int sila, int wid, int hei, PackedColor primary,
                        PackedColor secondary) {
  const Rgb p{PackedRed(primary), PackedGreen(primary), PackedBlue(primary)};
  const Rgb q{PackedRed(secondary), PackedGreen(secondary), PackedBlue(secondary)};
  const Bitmap& pic = a.Ctx.Picture ? *a.Ctx.Picture : a.Src;
  const double d = std::max<long long>(Distance(pic.Width(), pic.Height()), 1);
  const double s = std::max(sila, 1);
  auto colourAt = [&](long long r) {
    float f = static_cast<float>(static_cast<double>(r) * 100 / d / s);
    f = std::min(f, 1.0f);
    const double g = f;
    auto c = [g](int p, int q) { return static_cast<int>((1 - g) * q + g * p); };
    return Rgb{c(p.r, q.r), c(p.g, q.g), c(p.b, q.b)};
  };
  auto topAt = [&](int px, int py) { return colourAt(Distance(wid - static_cast<long long>(px), hei - static_cast<long long>(py))); };

  // The colour depends on the whole distance only: one entry per distance up
  // to the farthest corner of the processed region.
  const KernelArgs c = ClampedArgs(a);
  long long far = 0;
  for (int cx : {0, std::max(c.Width - 1, 0)})
    for (int cy : {0, std::max(c.Height - 1, 0)})
      far = std::max(far, Distance(wid - static_cast<long long>(PictureColumn(a, cx)),
                                   hei - static_cast<long long>(PictureRow(a, cy))));
  std::vector<Rgb> byDistance;
  RunPositionFilter(a, topAt, [&](int py, Rgb* tops) {
    if (byDistance.empty())
      for (long long r = 0; r <= far; ++r) byDistance.push_back(colourAt(r));
    const long long dy = hei - static_cast<long long>(py);
    // Along a row the distance changes by at most one per column, so its
    // whole part follows by small steps instead of a root per pixel.
    long long dx = wid - static_cast<long long>(PictureColumn(a, 0));
    long long n = dx * dx + dy * dy;
    long long r = WholeRoot(n);
    for (int x = 0; x < c.Width; ++x, --dx) {
      if (x > 0) {
        n = dx * dx + dy * dy;
        while ((r + 1) * (r + 1) <= n) ++r;
        while (r * r > n) --r;
      }
      tops[x] = byDistance[static_cast<std::size_t>(r)];
    }
    return tops;
  });
}

}  // namespace rv
