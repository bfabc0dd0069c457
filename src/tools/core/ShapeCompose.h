// The figures of the shape and text tools reach the working picture pixel by
// pixel: the figure is drawn on a scratch copy of the committed picture, and
// only the pixels where the scratch differs are composed through the blend
// mode, the selection and the opacity.
#pragma once

#include "engine/Bitmap.h"
#include "engine/PixelEngine.h"

namespace rv {

// Columns x0 <= x < x1, rows y0 <= y < y1 of the picture.
struct ShapeRegion {
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  int Width() const { return x1 - x0; }
  int Height() const { return y1 - y0; }
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
  friend bool operator==(const ShapeRegion&, const ShapeRegion&) = default;
};

// The box of two points widened by the pen width on every side, limited to a
// width x height picture.
ShapeRegion ShapeScanRegion(int width, int height, int xa, int ya, int xb, int yb, int size);
ShapeRegion WholePicture(int width, int height);

struct ShapeComposeArgs {
  int Transparent = 100;  // "Krycie", 0..100
  int Tryb = 0;           // blend mode
  int Channel = kChannelAll;
  ShapeRegion Region;
  // The scratch covers the picture from this corner (it may be just the region).
  int ScratchLeft = 0;
  int ScratchTop = 0;
};

// Every pixel of the region whose scratch colour differs from the working
// picture's is composed (candidate = scratch pixel, source = backup); the
// others are not written. The working picture must equal the backup inside
// the region when this is called.
void ComposeShape(CPixelEngine& engine, Bitmap& work, const Bitmap& backup, const Bitmap& scratch,
                  const SelectionMask& mask, const ShapeComposeArgs& args);
// The same pixel by pixel through the engine's slots, without the fast path
// (the reference the fast path is checked against).
void ComposeShapeReference(CPixelEngine& engine, Bitmap& work, const Bitmap& backup, const Bitmap& scratch,
                           const SelectionMask& mask, const ShapeComposeArgs& args);

// The smallest region holding both (an empty one adds nothing).
ShapeRegion Union(const ShapeRegion& a, const ShapeRegion& b);
// Copies the region of src onto dst (pictures of one size).
void CopyRegion(Bitmap& dst, const Bitmap& src, const ShapeRegion& region);

// The crop of the framing tool: the rectangle between two corners (left and
// top inclusive, right and bottom exclusive), limited to the picture.
ShapeRegion FramingRegion(int width, int height, int xa, int ya, int xb, int yb);

}  // namespace rv
