#include "filters/registry/FilterRun.h"

#include "filters/kernels/Geometry.h"

namespace rv {

KernelContext FilterContext(const FilterOperation& op, const FilterInputs& in, const Bitmap* picture) {
  const FilterDecl& d = op.Decl();
  KernelContext c;
  c.Tryb = d.HasTryb ? op.Tryb : 0;
  c.TypeBox = d.HasTypeBox ? op.TypeBox : 0;
  c.ActiveChannel = op.ActiveChannel;
  c.PrimaryColor = in.PrimaryColor;
  c.SecondaryColor = in.SecondaryColor;
  c.Progress = in.Progress;
  c.Picture = picture;
  c.Overlay = in.Overlay;
  c.OverlayMean = in.OverlayMean;
  return c;
}

bool RunFilter(CPixelEngine& engine, const FilterOperation& op, const FilterInputs& in, const Bitmap& src, Bitmap& dst,
               const SelectionMask& mask) {
  const FilterDecl& d = op.Decl();
  const KernelContext ctx = FilterContext(op, in, &src);
  const int t = d.HasTransparency ? op.Transparency : 100;
  d.Run({engine, dst, src, mask, t, true, src.Width(), src.Height(), ctx}, op.Values);
  return !engine.Cancelled;
}

std::optional<Bitmap> FinishFilter(const FilterOperation& op, const Bitmap& result) {
  const FilterDecl& d = op.Decl();
  return d.Finish ? d.Finish(result, op.Values) : std::nullopt;
}

void PrepareOpening(FilterSettings& values, int width, int height, const Bitmap* overlay) {
  const FilterDecl& d = values.Decl();
  if (d.Prepare) d.Prepare(values, width, height);
  if (d.PrepareOverlay && overlay) d.PrepareOverlay(values, width, height, overlay->Width(), overlay->Height());
}

Bitmap LayOverlay(const FilterSettings& values, Bitmap overlay, int width, int height) {
  const FilterDecl& d = values.Decl();
  if (!d.StretchOverlay || !d.StretchOverlay(values)) return overlay;
  // Resampling to the same size gives every pixel back exactly.
  if (overlay.Width() == width && overlay.Height() == height) return overlay;
  return ResampleBilinear(overlay, width, height);
}

}  // namespace rv
