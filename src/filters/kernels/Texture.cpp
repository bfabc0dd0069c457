// Texture: each pixel receives the texture's deviation from its mean colour
// (or from the mean's grey with "Monochromatycznie"), scaled by Power / 100.
#include <algorithm>
#include <array>

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/FastTail.h"
#include "filters/kernels/PositionKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& TextureFilter() {
  static const FilterDecl decl{
      .Stem = "Texture",
      .DialogClass = "TFormTexture",
      .MenuCaption = "Nakładanie tekstury...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje nakładania tekstury",
      .HistoryLabel = "Nakładanie tekstury",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("Power", "Moc:", 0, 255, 100), Check("mon", "Monochromatycznie", false)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyTexture(a, Percent(v.Get("Power")), v.Get("mon") != 0);
      },
      .Summary = "Texture: adds the texture's deviation from its mean colour, scaled by Power / 100.",
      .Description = "Nakładanie tekstury: kładzie teksturę rozciągniętą do rozmiaru obrazu z siłą Moc, także "
                     "monochromatycznie.",
      .Overlay = OverlayUse::Texture,
      // The texture always covers the picture exactly.
      .StretchOverlay = [](const FilterSettings&) { return true; },
  };
  return decl;
}

Rgb MeasureTextureMean(const Bitmap& texture, CProgress* progress) {
  long long r = 0, g = 0, b = 0;
  // Runs of up to 65536 pixels sum in 32 bits (255 * 65536 fits), which the
  // compiler turns into vector adds; the runs add up in 64 bits.
  constexpr int kRun = 65536;
  for (int y = 0; y < texture.Height(); ++y) {
    if (progress) progress->ProcessEvents();
    const Pixel* row = texture.Row(y);
    for (int x0 = 0; x0 < texture.Width(); x0 += kRun) {
      const int x1 = std::min(texture.Width(), x0 + kRun);
      std::uint32_t rr = 0, gg = 0, bb = 0;
      for (int x = x0; x < x1; ++x) {
        rr += (row[x] >> 16) & 0xFFu;
        gg += (row[x] >> 8) & 0xFFu;
        bb += row[x] & 0xFFu;
      }
      r += rr;
      g += gg;
      b += bb;
    }
  }
  const long long n = static_cast<long long>(texture.Width()) * texture.Height();
  if (n == 0) return {0, 0, 0};
  return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

void ApplyTexture(const KernelArgs& args, float f, bool mono) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  e.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  e.SelectEffect(a.Ctx.TypeBox);
  const MaskView mask(a);
  Rgb ref = a.Ctx.OverlayMean;
  if (mono) {
    const int g = (ref.r + ref.g + ref.b) / 3;
    ref = {g, g, g};
  }
  const Bitmap* tex = a.Ctx.Overlay;
  // The texture covers the picture; where it would not, the deviation is 0
  // (the mean itself stands there, clamped into 0..255 for a made-up mean).
  const Rgb refTexel{std::clamp(ref.r, 0, 255), std::clamp(ref.g, 0, 255), std::clamp(ref.b, 0, 255)};
  auto texel = [&](int px, int py) {
    if (!tex || px < 0 || py < 0 || px >= tex->Width() || py >= tex->Height()) return refTexel;
    const Pixel t = tex->At(px, py);
    return Rgb{PixelRed(t), PixelGreen(t), PixelBlue(t)};
  };
  // f * (T - M) per channel and texture value, the same products the plain path forms.
  std::array<std::array<double, 256>, 3> deviation;
  for (int v = 0; v < 256; ++v) {
    deviation[0][static_cast<std::size_t>(v)] = static_cast<double>(f) * (v - ref.r);
    deviation[1][static_cast<std::size_t>(v)] = static_cast<double>(f) * (v - ref.g);
    deviation[2][static_cast<std::size_t>(v)] = static_cast<double>(f) * (v - ref.b);
  }
  auto cand = [&](Rgb E, Rgb T) {
    auto c = [](int e, double d) { return static_cast<int>(static_cast<double>(e) + d); };
    return Rgb{c(E.r, deviation[0][static_cast<std::size_t>(T.r)]), c(E.g, deviation[1][static_cast<std::size_t>(T.g)]),
               c(E.b, deviation[2][static_cast<std::size_t>(T.b)])};
  };

  // Fast: the effect (top colour = the pixel) from a table, the blend "Zwykły"
  // without a call, the mix without the slots.
  const bool fast = !a.Ctx.PlainPath && BlendModeSeparable(e.EffectIndex);
  std::array<int, 256> selfEffect{};
  if (fast) {
    const ModeTable t(e.EffectIndex);
    for (int v = 0; v < 256; ++v) selfEffect[static_cast<std::size_t>(v)] = t(v, v);
  }
  const FastTail tail(e, false, a.Transparency);
  const bool blendIdentity = e.BlendIndex == 0;

  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
    if (e.Cancelled) return;
    const std::uint8_t* m = mask.Row(y);
    const int py = PictureRow(a, y);
    for (int x = 0; x < a.Width; ++x) {
      const Pixel sp = srcRow[x];
      const Rgb s{PixelRed(sp), PixelGreen(sp), PixelBlue(sp)};
      const Rgb T = texel(PictureColumn(a, x), py);
      if (fast) {
        const Rgb E{selfEffect[static_cast<std::size_t>(s.r)], selfEffect[static_cast<std::size_t>(s.g)],
                    selfEffect[static_cast<std::size_t>(s.b)]};
        const Rgb c = cand(E, T);
        Rgb v = blendIdentity ? c : e.BlendProc(c, dstRow, srcRow, x, 100, 100);
        ClampRgb(v);
        tail.Store(v, dstRow, srcRow, x, m[x]);
        continue;
      }
      const Rgb E = e.EffectProc(s, dstRow, srcRow, x, 100, 100);
      Rgb v = e.BlendProc(cand(E, T), dstRow, srcRow, x, 100, 100);
      // The blend result is clamped here, not the candidate.
      ClampRgb(v);
      e.ComposeWithoutBlend(v, dstRow, srcRow, x, Percent(m[x]), Percent(100 - m[x]), A, B);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
