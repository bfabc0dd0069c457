// The picture a history entry or a milestone keeps. Entries only store and
// give back whole pictures through this interface; underneath, a picture is
// kept as tiles shared with the pictures it was recorded against, so a state
// costs only what its change touched.
#pragma once

#include <QImage>

#include <initializer_list>
#include <memory>
#include <span>

#include "engine/Bitmap.h"
#include "history/core/TiledPicture.h"

namespace rv {

class StoredPicture {
 public:
  virtual ~StoredPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The whole picture as it was stored.
  virtual Bitmap Picture() const = 0;
  // The same into every one of `outs` at once, reusing their storage when
  // they have the picture's size.
  virtual void ReadInto(std::span<Bitmap* const> outs) const = 0;
  // True when the stored picture is exactly this one (spares a copy when the
  // document already shows it).
  virtual bool SameAs(const Bitmap& picture) const = 0;
  // A small view for the palette's row.
  virtual QImage Thumbnail(int w, int h) const = 0;
  // The tiles, for later pictures to share.
  virtual const TiledPicture& Tiles() const = 0;
};

using StoredPicturePtr = std::shared_ptr<const StoredPicture>;

// Keeps the picture, sharing every tile it has in common with one of the
// references (null references are skipped). `changed`, when given, vouches
// that the picture differs from the first reference only inside it. Throws
// std::bad_alloc when the memory runs out.
StoredPicturePtr StorePicture(const Bitmap& picture, std::initializer_list<const StoredPicture*> references = {},
                              const PictureRegion* changed = nullptr);

// The store that holds the tiles of the history and the milestones.
TileStore& PictureStore();

}  // namespace rv
