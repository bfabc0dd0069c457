// The pixel work of the selection tools: the masks made from a drawn shape or
// text, the magic wand with its preview, and the mask brush. The option
// windows draw shapes and text with their canvas and hand the result here.
#pragma once

#include "engine/Bitmap.h"
#include "tools/core/BrushDabs.h"

namespace rv {

// Tool numbers of the palette's selection tools.
enum SelectionToolId : int {
  kToolRectangleSel = 1,
  kToolEllipseSel = 2,
  kToolWand = 3,
  kToolRectangleRoundSel = 4,
  kToolTextHorzSel = 14,
  kToolTextVertSel = 15,
  kToolMask = 36,
};

// SelectionKind: which tool made the current selection (0 none: everything).
enum SelectionKindId : int {
  kSelectionNone = 0,
  kSelectionRectangle = 1,
  kSelectionEllipse = 2,
  kSelectionRectangleRound = 3,
  kSelectionWand = 4,
  kSelectionMask = 5,
  kSelectionTextHorz = 6,
  kSelectionTextVert = 7,
};

// Two corners in any order, ordered so that X0 <= X1 and Y0 <= Y1. A shape
// covers X0 <= x < X1, Y0 <= y < Y1 of its box.
struct SelectionBox {
  int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  int Width() const { return X1 - X0; }
  int Height() const { return Y1 - Y0; }
  friend bool operator==(const SelectionBox&, const SelectionBox&) = default;
};
SelectionBox OrderedBox(int ax, int ay, int bx, int by);

// A shape drawn black on white: every pixel whose blue byte is 0 gets
// strength, every other pixel 0.
void MaskFromCoverage(const Bitmap& coverage, int strength, SelectionMask& mask);
// Text drawn over a copy of the backup picture: the pixels whose colour the
// text changed get strength, the others 0.
void MaskFromChange(const Bitmap& drawn, const Bitmap& backup, int strength, SelectionMask& mask);

struct WandOptions {  // TFormWand
  int Tolerant = 200;  // 1..800
  int Sila = 100;      // 0..100
};

// The wand over the whole picture: a pixel whose summed channel difference
// from the reference colour is diff gets max(0, Sila - min(100, diff * 100 /
// Tolerant)). plain: the per-pixel formula without the table.
void WandSelect(const Bitmap& work, Pixel reference, const WandOptions& o, SelectionMask& mask, bool plain = false);
// The wand's preview: each pixel of the working picture tinted toward red by
// its mask value. preview gets the working picture's size.
void WandPreview(const Bitmap& work, const SelectionMask& mask, Bitmap& preview, bool plain = false);

struct MaskOptions {  // TFormMask
  int Wielkosc = 75;         // radius 1..150
  int Twardosc = 1;          // hardness 0..100
  int Przezroczystosc = 100; // "Moc:", the strength painted, 0..100
};

// One dab of the mask brush at a picture point: inside the disc the working
// pixel is tinted toward red by the falloff (and copied onto display, when
// given and of the same size), and the mask value moves toward the strength.
void MaskDab(Bitmap& work, Bitmap* display, SelectionMask& mask, DabPoint centre, const MaskOptions& o);

}  // namespace rv
