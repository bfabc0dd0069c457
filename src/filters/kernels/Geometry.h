// The geometry of the picture: mirrors and turns, bilinear resampling, and
// the crop that follows an alignment shear. Each takes a picture and gives a
// new one; the document's commands put the result in place.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Bitmap.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

// Each moves whole pixels; the selection, transparency and channel play no part.
// Rows in reverse order (upside down), "Odbicie horyzontalne".
Bitmap FlipHorizontal(const Bitmap& src);
// Columns in reverse order (left-right mirror), "Odbicie wertyklane".
Bitmap FlipVertical(const Bitmap& src);
// A quarter turn clockwise: source (x, y) goes to column H - 1 - y, row x.
Bitmap RotateRight(const Bitmap& src);
// A quarter turn anticlockwise: source (x, y) goes to column y, row W - 1 - x.
Bitmap RotateLeft(const Bitmap& src);
// A half turn.
Bitmap RotateFull(const Bitmap& src);

// The same into an existing picture of the result's size (not the source
// itself); std::invalid_argument otherwise. They allocate nothing.
void FlipHorizontalInto(const Bitmap& src, Bitmap& dst);
void FlipVerticalInto(const Bitmap& src, Bitmap& dst);
void RotateRightInto(const Bitmap& src, Bitmap& dst);
void RotateLeftInto(const Bitmap& src, Bitmap& dst);
void RotateFullInto(const Bitmap& src, Bitmap& dst);

// Bilinear resampling aligned at the top-left corner (target (0, 0) samples
// source (0, 0), no half-pixel offset). Throws std::invalid_argument for a
// size below 1 and std::length_error or std::bad_alloc when the picture
// cannot be held.
Bitmap ResampleBilinear(const Bitmap& src, int width, int height);

// The resize dialog's proportional fields: typing a width gives the height
// width * H div W of the W x H picture (and the other way round).
int ProportionalHeight(int typedWidth, int width, int height);
int ProportionalWidth(int typedHeight, int width, int height);

// Which border an alignment crop removes: the vertical alignment ("Width")
// slides columns up and down and crops rows; the horizontal one columns.
enum class CropAxis { Rows, Columns };

struct CropBand {
  int left, top, width, height;
};

// The band kept after an alignment by Power, or nothing when |Power| is not
// smaller than the cropped dimension (the band would be empty or reversed).
std::optional<CropBand> AutoCropBand(CropAxis axis, int power, int width, int height);
// The aligned picture cut to that band; the picture itself when the band is refused.
Bitmap AutoCropAlignment(const Bitmap& aligned, CropAxis axis, int power);

// The values a command was given by control name, in the order given.
using CommandValues = std::vector<std::pair<std::string, int>>;

// The commands of the "Obracanie" menu and the resize dialog, as the menus and
// the batch command name them. Resize has no Apply: it runs with the values of
// its dialog's fields.
struct GeometryCommand {
  const char* Stem;          // "RotateRight"
  const char* MenuCaption;   // "W prawo"
  const char* HistoryLabel;  // "Obrót w prawo"
  const char* Summary;
  Bitmap (*Apply)(const Bitmap&);
  const char* Dialog = "";  // the window that holds the controls
  std::vector<ControlDecl> Controls = {};
  // Throws std::invalid_argument with the reason for values it cannot take.
  Bitmap (*Run)(const Bitmap&, const CommandValues&) = nullptr;
};
const std::vector<GeometryCommand>& GeometryCommands();
const GeometryCommand* FindGeometryCommand(const char* stem);

// The resize dialog's OK on these values: both fields start at the picture's
// size; with "Zachowaj proporcje" a field given alone sets the other one as
// typing does.
Bitmap ResizeByFields(const Bitmap& picture, const CommandValues& given);

}  // namespace rv
