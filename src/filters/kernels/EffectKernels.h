// Kernels of the noise and stylise, distortion, and streak and tile filters.
// Each takes the common kernel arguments and then the dialog's own values in
// the dialog's order.
#pragma once

#include "filters/kernels/Kernel.h"

namespace rv {

// Noise and stylise.
// pieprz, szum, sol: the chosen option button ("Pieprz", "Szum", "Sól").
void ApplyNoise(const KernelArgs& a, int canalR, int canalG, int canalB, int losR, int losG, int losB, bool mono,
                bool pieprz, bool szum, bool sol);
// The amounts come negated, as the dialog passes them.
void ApplySulfur(const KernelArgs& a, int amountR, int amountG, int amountB, int radius);
void ApplyScreening(const KernelArgs& a, int canalR, int canalG, int canalB, int cell, bool lewo, bool mono,
                    PackedColor primary);
void ApplyVignette(const KernelArgs& a, int sila, int centreX, int centreY);
void ApplyMozaic(const KernelArgs& a, int tile);

// Distortion.
void ApplyDif(const KernelArgs& a, int radius);
void ApplyHeave(const KernelArgs& a, double wavelength, int amplitude, bool useSin);
void ApplyShift(const KernelArgs& a, int dx, int dy);
void ApplyFrag(const KernelArgs& a, int fx, int fy);
void ApplyBreak(const KernelArgs& a, int bx);
void ApplyAnalg(const KernelArgs& a, int offset);

// Streak and tile.
void ApplyWind(const KernelArgs& a, int maxLength);
// g1, g2: segment lengths along rows and columns; j1, j2: bounds of the random
// steps between smeared rows and between smeared columns.
void ApplyWetPaper(const KernelArgs& a, int g1, int g2, int j1, int j2);
void ApplyPatchwork(const KernelArgs& a, int tile, int lineWidth, PackedColor primary);

// The tiles of mosaic and patchwork: every tile of size x size takes the
// effect of its top-left pixel, composed over each of its pixels.
// Returns false when the run was cancelled.
class EffectRun;
bool FillTiles(EffectRun& run, int tile);

}  // namespace rv
