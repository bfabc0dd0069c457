// What "Kopiuj" puts on the clipboard, worked out without touching the
// document: the platform layer only hands the result to the clipboard.
#pragma once

#include "engine/Bitmap.h"

namespace rv {

// left <= right, top <= bottom; right and bottom exclusive.
struct CopyRect {
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const CopyRect&, const CopyRect&) = default;
};

// True if at least one mask value is not 0.
bool AnyPixelSelected(const SelectionMask& mask);

// The rectangle spanned by a shape selection's two corner points (either order),
// clipped to a picture of width x height.
CopyRect SelectionShapeRect(int x1, int y1, int x2, int y2, int width, int height);

// Mixes each pixel of the rectangle towards white by its mask value m: every
// colour byte v becomes trunc(v * (m * 0.01) + (100 - m) * 0.01 * 255). The
// rectangle is clipped to the picture; the fourth byte is left alone.
void WhitenUnselected(Bitmap& image, const SelectionMask& mask, const CopyRect& r);

// The picture "Kopiuj" puts on the clipboard for a SelectionKind: 0 the whole
// picture; 1 the shape rectangle; 2 and 3 (ellipse, rounded rectangle) the
// shape rectangle whitened outside the selection; 4..7 the whole picture
// whitened outside the selection. Empty when the rectangle is empty.
Bitmap PictureToCopy(const Bitmap& work, const SelectionMask& mask, int selectionKind, const CopyRect& shapeRect);

}  // namespace rv
