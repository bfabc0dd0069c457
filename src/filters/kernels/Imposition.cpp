// Picture overlay: the loaded picture laid over the document with its top-left
// corner at (OsieX, OsieY); pixels it does not cover never change.
#include <algorithm>
#include <optional>

#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/FastTail.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& ImpositionFilter() {
  static const FilterDecl decl{
      .Stem = "Imposition",
      .DialogClass = "TFormFilterImPos",
      .MenuCaption = "Nakładanie obrazka...",
      .Menu = "Tekstury / Obrazki",
      .DialogCaption = "Opcje nakładania obrazka",
      .HistoryLabel = "Nakładanie obrazka",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      // Their ranges are set at each load (PrepareImpositionRanges).
      .Controls = {Track("OsieX", "Oś x:", 0, 0, 0), Track("OsieY", "Oś y:", 0, 0, 0)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) {
        ApplyImposition(a, v.Get("OsieX"), v.Get("OsieY"), a.FullRun ? 0 : a.Ctx.OverlayOffsetX,
                        a.FullRun ? 0 : a.Ctx.OverlayOffsetY);
      },
      .Summary = "Picture overlay: lays the overlay picture over the document at (OsieX, OsieY), "
                 "which run from minus the overlay's size to the picture's size once it is loaded.",
      .Description = "Nakładanie obrazka: kładzie wybrany obrazek na obraz w położeniu (OsieX, OsieY) wybranym "
                     "trybem mieszania.",
      .Overlay = OverlayUse::Placed,
      // The choice window of the picture: whether it is stretched to the document.
      .OpeningWindow = "TFormImposition",
      .OpeningControls = {Check("AutoDopasowanie", "Autodopasowanie", false)},
      .PrepareOverlay = PrepareImpositionRanges,
      .StretchOverlay = [](const FilterSettings& v) { return v.Get("AutoDopasowanie") != 0; },
      .Example = {"--set", "AutoDopasowanie=1", "--przezroczystosc", "50"},
  };
  return decl;
}

void PrepareImpositionRanges(FilterSettings& v, int width, int height, int overlayWidth, int overlayHeight) {
  v.SetRange("OsieX", -overlayWidth, width);
  v.SetRange("OsieY", -overlayHeight, height);
  v.SetPosition("OsieX", 0);
  v.SetPosition("OsieY", 0);
}

void ApplyImposition(const KernelArgs& args, int osieX, int osieY, int ox, int oy) {
  const KernelArgs a = ClampedArgs(args);
  CPixelEngine& e = a.Engine;
  const float A = Percent(a.Transparency);
  const float B = Percent(100 - a.Transparency);
  e.BeginRun(a.Ctx.Tryb, a.Height, a.Ctx.Progress, a.Ctx.ActiveChannel);
  e.SelectEffect(a.Ctx.TypeBox);
  const MaskView mask(a);
  const Bitmap* ov = a.Ctx.Overlay;
  const long long ow = ov ? ov->Width() : 0, oh = ov ? ov->Height() : 0;
  // The columns the overlay covers: u = ox + x - OsieX in 0..ow - 1.
  const long long shiftX = static_cast<long long>(ox) - osieX;
  const int x0 = static_cast<int>(std::clamp<long long>(-shiftX, 0, a.Width));
  const int x1 = static_cast<int>(std::clamp<long long>(ow - shiftX, x0, a.Width));

  const bool fast = !a.Ctx.PlainPath && BlendModeSeparable(e.EffectIndex);
  std::optional<ModeTable> effect;
  if (fast && e.EffectIndex != 0) effect.emplace(e.EffectIndex);
  const FastTail tail(e, true, a.Transparency);

  for (int y = 0; y < a.Height; ++y) {
    Pixel* dstRow = a.Dst.Row(y);
    const Pixel* srcRow = a.Src.Row(y);
    if (a.FullRun) CPixelEngine::StepProgress(a.Ctx.Progress);
    if (e.Cancelled) return;
    const long long v = static_cast<long long>(oy) + y - osieY;
    if (v < 0 || v >= oh) continue;  // a row the overlay does not cover is not read
    const Pixel* ovRow = ov->Row(static_cast<int>(v));
    const std::uint8_t* m = mask.Row(y);
    for (int x = x0; x < x1; ++x) {
      const Pixel op = ovRow[static_cast<std::size_t>(x + shiftX)];
      Rgb E{PixelRed(op), PixelGreen(op), PixelBlue(op)};
      if (!fast) {
        E = e.EffectProc(E, dstRow, srcRow, x, 100, 100);
      } else if (effect) {
        const Pixel s = srcRow[x];
        E = {(*effect)(E.r, PixelRed(s)), (*effect)(E.g, PixelGreen(s)), (*effect)(E.b, PixelBlue(s))};
      }
      if (fast && tail.Direct())
        tail.Compose(E, dstRow, srcRow, x, m[x]);
      else
        e.ComposePixel(E, dstRow, srcRow, x, Percent(m[x]), Percent(100 - m[x]), A, B);
    }
  }
  CPixelEngine::EndRun(a.Ctx.Progress);
}

}  // namespace rv
