// Kernels of the colour, histogram, gradient, alignment and overlay filters.
// Each takes the common kernel arguments and then the dialog's own values in
// the dialog's order.
#pragma once

#include "filters/kernels/Kernel.h"

namespace rv {

class FilterSettings;

void ApplyBalanceColor(const KernelArgs& a, int canalR, int canalG, int canalB);
void ApplySaturation(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                     int redukcjaB);
void ApplyGrayFilter(const KernelArgs& a);
// spread is Rozpietosc * 0.01 in single precision.
void ApplySepia(const KernelArgs& a, int canalR, int canalG, float spread);
void ApplyHue(const KernelArgs& a, int power);
void ApplySelective(const KernelArgs& a, int canalR, int canalG, int canalB, int canalC, int canalF, int canalY);
// shadows is the "Cienie" radio button (otherwise "Światła").
void ApplyShadow(const KernelArgs& a, int canalR, int canalG, int canalB, int tolerancjaR, int tolerancjaG,
                 int tolerancjaB, bool shadows);
void ApplyLayer(const KernelArgs& a);

// Both measure `picture` (the document's working picture, also in previews).
void ApplyExtension(const KernelArgs& a, const Bitmap& picture);
void ApplyAligment(const KernelArgs& a, const Bitmap& picture);
// Colours are packed; the picture's size comes from Ctx.Picture (or the source).
void ApplyGradientWidth(const KernelArgs& a, int sila, int wid, PackedColor primary, PackedColor secondary);
void ApplyGradientPoint(const KernelArgs& a, int sila, int wid, int hei, PackedColor primary,
                        PackedColor secondary);

// The alignment shears; the document's size comes from Ctx.Picture (or the source).
void ApplyWidth(const KernelArgs& a, int power);
void ApplyHeight(const KernelArgs& a, int power);

// The overlay is Ctx.Overlay; (ox, oy) is the preview origin offset, (0, 0) in a full run.
void ApplyImposition(const KernelArgs& a, int osieX, int osieY, int ox, int oy);
// f is Power * 0.01 in single precision; the texture is Ctx.Overlay (the
// picture's size) with its mean Ctx.OverlayMean; mono is "Monochromatycznie".
void ApplyTexture(const KernelArgs& a, float f, bool mono);

// Mean red, green and blue of a picture (each channel's sum divided by the
// pixel count); progress steps once per row when given.
Rgb MeasureTextureMean(const Bitmap& texture, CProgress* progress = nullptr);
// The overlay's position ranges after a load: OsieX -(overlay width)..W,
// OsieY -(overlay height)..H, both at 0.
void PrepareImpositionRanges(FilterSettings& values, int width, int height, int overlayWidth, int overlayHeight);

}  // namespace rv
