// What every filter kernel takes: the engine, the destination and source
// pictures, the selection mask, the transparency, the FullRun flag, the size to
// process, and what the kernel reads from its dialog and the palettes.
#pragma once

#include <array>

#include "engine/Bitmap.h"
#include "engine/PixelEngine.h"
#include "engine/Progress.h"

namespace rv {

struct KernelContext {
  int Tryb = 0;     // blend mode of the dialog's "Tryb:" list
  int TypeBox = 0;  // effect mode of the dialog's "Rodzaj:" list
  // Top-left corner of the preview region in the picture; places the selection
  // mask under a preview run.
  int PreviewLeft = 0;
  int PreviewTop = 0;
  int ActiveChannel = kChannelAll;
  PackedColor PrimaryColor = MakePacked(0, 0, 0);
  PackedColor SecondaryColor = MakePacked(255, 255, 255);
  CProgress* Progress = nullptr;
  // The document's working picture, for kernels that measure the whole
  // picture or need its size also in preview runs.
  const Bitmap* Picture = nullptr;
  // A second picture laid over the document (the loaded overlay or texture),
  // its mean colour as measured at the load, and, for the picture overlay's
  // previews, the offset of the processed region in the document: the pan
  // centre less 400 (OSX - 400, OSY - 400). Full runs use (0, 0).
  const Bitmap* Overlay = nullptr;
  Rgb OverlayMean;
  int OverlayOffsetX = 0;
  int OverlayOffsetY = 0;
  // Run the plain per-pixel definition only; the fast paths must equal it.
  bool PlainPath = false;
  // A 3 x 3 matrix to convolve with instead of the chosen buttons' one;
  // nullptr (as the dialogs and the batch command run): the buttons' matrix.
  const std::array<std::array<float, 3>, 3>* Matrix = nullptr;
};

struct KernelArgs {
  CPixelEngine& Engine;
  Bitmap& Dst;
  const Bitmap& Src;
  const SelectionMask& Mask;
  int Transparency;
  bool FullRun;
  int Width;
  int Height;
  const KernelContext& Ctx;
};

// The part of the mask under the processed region: a full run reads mask
// (x, y), a preview reads (left + x, top + y). A mask that does not cover the
// region (none allocated yet) counts as everything selected.
class MaskView {
 public:
  explicit MaskView(const KernelArgs& a);
  const std::uint8_t* Row(int y) const {
    return full_ ? ones_.data() : mask_->Row(top_ + y) + left_;
  }

 private:
  const SelectionMask* mask_;
  int left_ = 0;
  int top_ = 0;
  bool full_ = false;
  std::vector<std::uint8_t> ones_;
};

// Clamps the processed size to what both pictures hold.
KernelArgs ClampedArgs(const KernelArgs& a);

}  // namespace rv
