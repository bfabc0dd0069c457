// One full run of a filter over a picture: the one path that the dialog's OK
// and the batch command take (and that a recorded operation replays).
#pragma once

#include <optional>

#include "filters/registry/FilterRegistry.h"

namespace rv {

// What a run is made of: the filter with the values of its controls, the two
// mode lists, the transparency and the channel it stores into.
struct FilterOperation {
  explicit FilterOperation(FilterSettings values) : Values(std::move(values)) {}
  const FilterDecl& Decl() const { return Values.Decl(); }

  FilterSettings Values;
  int Tryb = 0;
  int TypeBox = 0;
  int Transparency = 100;
  int ActiveChannel = kChannelAll;
};

// What the run reads besides the operation.
struct FilterInputs {
  PackedColor PrimaryColor = MakePacked(0, 0, 0);
  PackedColor SecondaryColor = MakePacked(255, 255, 255);
  // The loaded overlay as the filter lays it (LayOverlay), and its mean colour.
  const Bitmap* Overlay = nullptr;
  Rgb OverlayMean{0, 0, 0};
  CProgress* Progress = nullptr;
};

// The kernel context of a run: the operation's modes and channel, the inputs,
// and the document's picture (for kernels that measure it).
KernelContext FilterContext(const FilterOperation& op, const FilterInputs& in, const Bitmap* picture);

// The kernel over the whole of src into dst, which has src's size and holds
// its pixels when the run starts. False when the engine's Cancelled flag
// stopped it part way.
bool RunFilter(CPixelEngine& engine, const FilterOperation& op, const FilterInputs& in, const Bitmap& src, Bitmap& dst,
               const SelectionMask& mask);

// After a completed run: the picture the document then holds when the filter
// changes its size (the alignments' crop), or nothing.
std::optional<Bitmap> FinishFilter(const FilterOperation& op, const Bitmap& result);

// The controls the opening command sets from the picture (and, for the
// overlay filters, from the overlay's size).
void PrepareOpening(FilterSettings& values, int width, int height, const Bitmap* overlay = nullptr);

// A loaded overlay as the filter lays it over a width x height picture:
// stretched to that size where the filter (or its opening window) asks for it.
// Throws what the resampling throws.
Bitmap LayOverlay(const FilterSettings& values, Bitmap overlay, int width, int height);

}  // namespace rv
