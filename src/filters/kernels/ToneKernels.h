// Kernels of the tone filters. Each takes the common kernel arguments and then
// the dialog's own values in the dialog's order.
#pragma once

#include "filters/kernels/Kernel.h"

namespace rv {

void ApplyFill(const KernelArgs& a, PackedColor fill);
void ApplyLight(const KernelArgs& a, int canalR, int canalG, int canalB);
void ApplyDark(const KernelArgs& a, int canalR, int canalG, int canalB);
void ApplyContrast(const KernelArgs& a, int canalR, int canalG, int canalB, int tolerancjaR, int tolerancjaG,
                   int tolerancjaB);
void ApplyGamma(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                int redukcjaB);
void ApplyExposure(const KernelArgs& a, int canalR, int canalG, int canalB, int redukcjaR, int redukcjaG,
                   int redukcjaB);
// Reads the tool colours from the context; mono is the "Monochromatycznie" box.
void ApplyHold(const KernelArgs& a, int canalR, int canalG, int canalB, bool mono);
void ApplyPosterize(const KernelArgs& a, int canalR, int canalG, int canalB);
void ApplyNegativ(const KernelArgs& a, int canalR, int canalG, int canalB);

}  // namespace rv
