#include "filters/kernels/Kernel.h"

#include <algorithm>

namespace rv {

MaskView::MaskView(const KernelArgs& a) : mask_(&a.Mask) {
  if (!a.FullRun) {
    left_ = a.Ctx.PreviewLeft;
    top_ = a.Ctx.PreviewTop;
  }
  if (!a.Mask.Covers(left_, top_, a.Width, a.Height)) {
    full_ = true;
    ones_.assign(static_cast<std::size_t>(std::max(a.Width, 0)), 100);
  }
}

KernelArgs ClampedArgs(const KernelArgs& a) {
  KernelArgs c = a;
  c.Width = std::clamp(a.Width, 0, std::min(a.Dst.Width(), a.Src.Width()));
  c.Height = std::clamp(a.Height, 0, std::min(a.Dst.Height(), a.Src.Height()));
  c.Transparency = std::clamp(a.Transparency, 0, 100);
  return c;
}

}  // namespace rv
